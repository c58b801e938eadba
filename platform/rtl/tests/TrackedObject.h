#pragma once
// An object that counts the instances alive, to see who frees them.

#include "rtl/Object.h"

class TTracked : public TObject {
public:
    explicit TTracked(int& Alive) : FAlive(Alive) { ++FAlive; }
    ~TTracked() override { --FAlive; }

private:
    int& FAlive;
};
