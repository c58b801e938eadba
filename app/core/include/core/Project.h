#pragma once
// The project kinds: TProject, their base; TDWProject, an assessment project
// the program stores in its own database; TTRAVOProject, the scenario-tool
// project whose runs an assessment project assesses.

#include "core/AbstractionPoints.h"
#include "core/OwnedList.h"
#include "core/Run.h"
#include "core/Substance.h"
#include "rtl/Events.h"
#include "rtl/Object.h"
#include "rtl/StringList.h"
#include "rtl/Types.h"

#include <memory>

class TProject : public TObject {
public:
    // An empty project with its own substance and an empty Path.
    TProject();

    // Raises "invalid characters: <space> = / \ ( ) > < * : " , . + = ? "
    // when the name holds a character that cannot be part of a folder name,
    // and then keeps the old name (CheckName). An empty name is accepted.
    const String& Name() const { return FName; }
    void SetName(const String& Value);

    // The project's folder, through ReadPath.
    String Path() const { return ReadPath(); }
    void SetPath(const String& Value) { FPath = Value; }

    TSubstance* Substance() const { return ReadSubstance(); }

    // Sets Modified to the current local date and time, "dd-mmm-yyyy hh:nn:ss".
    void SetModified();

    // ID 0, empty texts and Path, the substance cleared.
    virtual void Clear();
    // A new project of the same kind holding this project's data under the
    // new name and description (see CopyData); null for the base kind.
    virtual std::unique_ptr<TProject> Copy(const String& newName, const String& newDescription) const;
    // Gives destProject newName (this name when empty) and newDescription
    // (this description when empty), today's date as both date texts, ID -1
    // and this project's substance. Path is not copied. An invalid name
    // raises before anything in destProject has changed.
    virtual void CopyData(const String& newName, const String& newDescription, TProject& destProject) const;

    String Created; // creation date as display text
    String Description;
    String Modified; // modification date as display text
    Integer ID = 0;  // database ID; 0 after Clear, -1 for a copy never stored

protected:
    // Raises when Value cannot be the project's name; see SetName.
    virtual void CheckName(const String& Value) const;
    virtual String ReadPath() const { return FPath; }
    virtual TSubstance* ReadSubstance() const { return FSubstance.get(); }

private:
    String FName;
    String FPath;
    std::unique_ptr<TSubstance> FSubstance;
};

// A project of the scenario tool. Its ID is the scenario database's
// ProjectID, its Name the project caption and its Path the scenario tool's
// project folder, below which the lateral-entry files lie.
class TTRAVOProject : public TProject {
public:
    // The runs at the chosen location, in the order of their RunID.
    TOwnedList<TRun>& Runs() { return FRuns; }
    const TOwnedList<TRun>& Runs() const { return FRuns; }

    // The run at 0-based position i; null outside the list.
    TRun* getRun(Integer i) const;
    // The first run whose FOCUS crop reads FocusCrop (TFOCUS_D3_Crop::AsString); null when none.
    TRun* getRun(const String& FocusCrop) const;
    // The first run with RunID id; null when none.
    TRun* getRunFromID(const String& id) const;

    // The three counts at the head of the engine's crop and peak input: the
    // valid runs, the valid runs that are used, and the applications of the
    // valid runs.
    Integer GetNrOfValidRuns() const;
    Integer GetNrOfUsedRuns() const;
    Integer TotalApps() const;

    // The base Clear, and the runs are freed.
    void Clear() override;
    std::unique_ptr<TProject> Copy(const String& newName, const String& newDescription) const override;
    // The base CopyData, then destProject's runs are replaced by copies of
    // these runs. destProject must be a TTRAVOProject.
    void CopyData(const String& newName, const String& newDescription, TProject& destProject) const override;

    // The scenario database no longer holds the project of this ID: the
    // project is empty but for its ID.
    bool Missing = false;

protected:
    // The caption is the scenario tool's: it is never used as a folder name,
    // so any caption is accepted.
    void CheckName(const String&) const override {}

private:
    TOwnedList<TRun> FRuns;
};

// An assessment project: the scenario project whose runs it assesses and the
// abstraction points with the project's crop-area file. Clear is the base
// one: the scenario project and the abstraction points are kept.
class TDWProject : public TProject {
public:
    TDWProject();

    TTRAVOProject* TRAVOProject() const { return FTRAVOProject.get(); }
    TAbstractionPoints* AbstractionPoints() const { return FAbstractionPoints.get(); }

    // Raises OnChange with this project as sender, when a handler is assigned.
    void Change();

    std::unique_ptr<TProject> Copy(const String& newName, const String& newDescription) const override;
    // The base CopyData; then the scenario project copies itself into
    // destProject's, keeping its own name and description; then
    // destProject's abstraction points become a copy of these. destProject
    // must be a TDWProject.
    void CopyData(const String& newName, const String& newDescription, TProject& destProject) const override;

    TNotifyEvent OnChange;

    // ---- the engine's input files (written into the project folder and the
    // engine folder; layouts in EngineInputFiles.cpp)

    // Checks that the engine can read the project, builds CropPEC.inp,
    // CompoundProperties.inp and CropArea.inp in memory and only then saves
    // each into the project folder and the engine folder. A project the
    // engine cannot read raises EEngineInputError and nothing is written;
    // when a save fails, the engine folder's input files are removed and the
    // error passes on.
    void CreateInputFiles();
    // Appends the four header lines the three files share.
    void AddHeader(TStrings& list) const;
    // Each clears the list and fills it with one file's lines.
    // WriteCropPEC first decides the used runs (CheckHighestPecPeak).
    void WriteCropPEC(TStrings& list);
    void WriteCompoundProperties(TStrings& list) const;
    void WriteCropArea(TStrings& list) const;
    // The crop row of the run at runIndex; empty for a run that is not valid.
    String FormatPECLine(Integer runIndex) const;
    // The market share of the grouping with code codeID at the point; 0 when
    // the grouping has no area there.
    Double GetMarketShare(const String& codeID, Integer pointIndex) const;
    // Of the valid runs that share a grouping only the one with the highest
    // peak (the first of equal ones) stays used; every other valid run is
    // used.
    void CheckHighestPecPeak();
    // True when two valid runs share a grouping.
    bool MultipleKorvalisGrouping() const;
    // The grouping codes of the valid, used runs, in run order.
    std::unique_ptr<TStringList> GetUsedCrops() const;

    // ---- the engine run (EngineRun.cpp)

    // Creates the project folder when it is missing (one level).
    void CreateProjectDir();
    // True when the project folder holds Summary.out.
    bool ResultAvailable() const;
    // Removes Summary.out from the engine folder and the project folder, runs
    // Tesvorik in the engine folder while window events are handled, and
    // copies the Summary.out it leaves into the project folder. True when
    // there is one, also for a run the engine stopped on out-of-range input.
    // False with a message when the engine cannot be started, is still
    // running, or the project has no name; false without one when the engine
    // left no Summary.out.
    bool Calculate();
    // Shows the project folder's three input files in the viewer.
    void ViewInputFiles();

protected:
    // The project folder: the projects folder, the name and a delimiter;
    // empty for a project without a name.
    String ReadPath() const override;

private:
    std::unique_ptr<TTRAVOProject> FTRAVOProject;
    std::unique_ptr<TAbstractionPoints> FAbstractionPoints;
};
