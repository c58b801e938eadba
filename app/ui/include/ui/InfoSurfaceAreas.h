#pragma once
// TfrmInfoSurfaceAreas: the surface areas of the intake areas (the
// AbstractionPoints table below ID 10), or the details of Brakel (IDs 6 and
// 10). Read-only; Execute makes, shows and frees it.

#include "vcl/Forms.h"

class TButton;
class TDataSource;
class TDBGrid;

class TfrmInfoSurfaceAreas : public TForm {
    RTL_CLASS(TfrmInfoSurfaceAreas)
public:
    explicit TfrmInfoSurfaceAreas(TComponent* AOwner);

    static void Execute();

    // 0 while all intake areas are listed, 1 while the details of Brakel are.
    Integer mode = 0;

    TDBGrid* grdAreas() const;
    TDataSource* dsAbstractionPoints() const;
    TButton* btnBrakel() const;
    TButton* btnClose() const;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormActivate(TObject* Sender);
    void btnBrakelClick(TObject* Sender);
};
