#pragma once
// TZirOvararIzazInput: the string grid's input layer on the core. It edits a
// cell in place with the editor the cell's kind asks for, validates, commits
// and cancels the edit, passes every move of the current cell through one
// query with the changing events, and handles Enter, Tab and the keys.
//
// It fills in bodies of the core's virtual operations; it adds no new
// virtual slots of the grid's own (the view layer relies on the core's).

#include "grid/ZirOvararIzazCore.h"

class TZirOvararIzazInput : public TZirOvararIzazCore {
    RTL_CLASS(TZirOvararIzazInput)
public:
    explicit TZirOvararIzazInput(TComponent* AOwner);
    ~TZirOvararIzazInput() override;

    // ---- Editing cycle, normal editor and event glue ----

    // ---- Current cell, Enter and Tab advance, keys ----

protected:
    // ---- Editing cycle, normal editor and event glue: protected part ----

    // ---- Current cell, Enter and Tab advance, keys: protected part ----

private:
    // ---- Editing cycle, normal editor and event glue: state ----

    // ---- Current cell, Enter and Tab advance, keys: state ----
};
