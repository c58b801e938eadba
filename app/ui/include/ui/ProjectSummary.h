#pragma once
// TfraProjectSummary: the identity of one project (an assessment project or
// a scenario project) in a group box whose caption each window sets: name,
// description, dates, folder and substance. The texts stretch with the frame.

#include "vcl/Frame.h"

class TProject;
class TGroupBox;
class TStaticText;
class TMemo;
class TLabel;

class TfraProjectSummary : public TFrame {
    RTL_CLASS(TfraProjectSummary)
public:
    explicit TfraProjectSummary(TComponent* AOwner);

    // Shows the project's name, description (every line), creation and
    // modification dates, substance and folder.
    void AssignProject(const TProject& Project);

    TGroupBox* GroupBox1() const;
    TStaticText* txtName() const;
    TMemo* mmoDescription() const;
    TStaticText* txtCreated() const;
    TStaticText* txtModified() const;
    TStaticText* txtPath() const;
    TLabel* lblSubstance() const;
    TStaticText* txtSubstance() const;
};
