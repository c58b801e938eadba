// The data module's own-database side: its components, opening the project
// database, the table routines and the projects table's delete handler.

#include "core/DataModule.h"

#include "core/AbstractionPoints.h"
#include "core/CropGroupCache.h"
#include "core/Folders.h"
#include "core/Project.h"
#include "core/TextChecks.h"
#include "core/UserInteraction.h"
#include "os/FileUtils.h"
#include "rtl/StringUtils.h"
#include "rtl/TextCompare.h"

namespace {

// One persistent field of the substances table: a double with its display
// format, precision and range, or a field of another type without them.
struct TSubstanceFieldDef {
    const Char* Name;
    TFieldType Type;
    const Char* DisplayFormat = u"";
    Integer Precision = 0; // 0: the default
    double MinValue = 0;
    double MaxValue = 0;   // both 0: no range
};

// The substances table's columns in their order, with the checks a value
// assigned through them gets.
const TSubstanceFieldDef SubstanceFields[] = {
    {u"ProjectID", ftInteger},
    {u"SubstanceCode", ftString},
    {u"Name", ftString},
    {u"IsParent", ftBoolean},
    {u"MolMass", ftFloat, u"0.0#", 0, 10.0, 9999.99},
    {u"MolEntVap", ftFloat, u"0.0", 0, -1000000.0, 1000000.0},
    {u"SlbWatRef", ftFloat, u"", 4, 1e-06, 2000000.0},
    {u"TemRefSlb", ftFloat, u"0.0", 0, 0, 40.0},
    {u"MolEntSlb", ftFloat, u"0.0", 0, -1000000.0, 1000000.0},
    {u"CofDifAirRef", ftFloat, u"0.00"},
    {u"DetailedSorption", ftBoolean},
    {u"Kom", ftFloat, u"0.00", 0, 0, 10000000.0},
    {u"ExpFre", ftFloat, u"0.00", 0, 0.1, 2.0},
    {u"ConLiqRef", ftFloat, u"", 3},
    {u"KomSus", ftFloat, u"0.00", 0, 0, 10000000.0},
    {u"KocSus", ftFloat, u"0.00", 0, 0, 17240000.0},
    {u"ExpFreSus", ftFloat, u"0.00", 0, 0.1, 2.0},
    {u"ConLiqRefSus", ftFloat, u"", 3, 0.01, 100.0},
    {u"KomSed", ftFloat, u"0.00", 0, 0, 10000000.0},
    {u"KocSed", ftFloat, u"0.00", 0, 0, 17240000.0},
    {u"ExpFreSed", ftFloat, u"0.00", 0, 0.1, 2.0},
    {u"ConLiqRefSed", ftFloat, u"", 0, 0.01, 100.0},
    {u"KomSol", ftFloat, u"0.00", 0, 0, 10000000.0},
    {u"KocSol", ftFloat, u"0.00", 0, 0, 17240000.0},
    {u"ConLiqRefSol", ftFloat, u"", 3},
    {u"KsorMph", ftFloat},
    {u"MolEntTra", ftFloat, u"0.0", 0, 0, 1000000.0},
    {u"DT50WatRef", ftFloat, u"0.00", 0, 0.1, 1000.0},
    {u"TemRefTraWat", ftFloat, u"0.0", 0, 0, 40.0},
    {u"DT50SedRef", ftFloat, u"0.00", 0, 0.1, 1000.0},
    {u"TemRefTraSed", ftFloat, u"0.0", 0, 0, 40.0},
    {u"Locked", ftBoolean},
    {u"DiffersFromOriginal", ftBoolean},
    {u"MACRO_fext", ftFloat, u"0.0", 3, 0, 0.5},
    {u"MACRO_fstar", ftFloat, u"0.00"},
    {u"MACRO_Koc", ftFloat, u"0.00"},
    {u"MACRO_freund", ftFloat, u"0.00", 0, 0.1, 2.0},
    {u"MACRO_vap", ftFloat, u"", 4, 0, 250000.0},
    {u"MACRO_VpTemp", ftFloat, u"0.0", 0, 0, 40.0},
    {u"MACRO_halflife", ftFloat, u"0.00", 0, 0, 1000.0},
    {u"MACRO_tref", ftFloat, u"0.0"},
    {u"MACRO_candeg", ftFloat, u"0.00"},
};

// The crop table's fields as the crop-grouping window shows them.
struct TLabelledFieldDef {
    const Char* Name;
    const Char* DisplayLabel;
    Integer DisplayWidth;
};
const TLabelledFieldDef CropFields[] = {
    {u"FOCUScrop", u"FOCUS D3 crops", 40},
    {u"Korvaliscrop", u"Korvalis crop grouping (UK)", 40},
    {u"KorvaliscropNL", u"Korvalis crop grouping (NL)", 40},
    {u"CropID", u"codeID", 10},
};

TField* NewField(TComponent* Owner, TFieldType Type) {
    switch (Type) {
    case ftInteger:
        return new TIntegerField(Owner);
    case ftFloat:
        return new TFloatField(Owner);
    case ftBoolean:
        return new TBooleanField(Owner);
    default:
        return new TStringField(Owner);
    }
}

TADOTable* NewTable(TComponent* Owner, const Char* Name, const Char* TableName, const Char* Order,
                    TADOConnection* Connection) {
    auto* Table = new TADOTable(Owner);
    Table->SetName(Name);
    Table->SetConnection(Connection);
    Table->SetTableName(TableName);
    Table->SetIndexFieldNames(Order);
    return Table;
}

bool StartsWithSelect(const String& Text) {
    return SameText(Copy(Text, 1, 6), u"SELECT");
}

} // namespace

TdmData::TdmData(TComponent* AOwner) : TComponent(AOwner) {
    CreateProjectDatabaseComponents();
    CreateScenarioDatabaseComponents();
}

TdmData::~TdmData() = default;

void TdmData::CreateProjectDatabaseComponents() {
    ADOConnectionDWT = new TADOConnection(this);
    ADOConnectionDWT->SetName(u"ADOConnectionDWT");
    ADOConnectionDWT->SetLoginPrompt(false);

    tblDWTProjects = NewTable(this, u"tblDWTProjects", u"Projects", u"ID", ADOConnectionDWT);
    tblDWTProjects->BeforeDelete = [this](TDataSet* DataSet) { tblDWTProjectsBeforeDelete(DataSet); };

    tblDWTSubstances = NewTable(this, u"tblDWTSubstances", u"substances", u"ProjectID", ADOConnectionDWT);
    for (const TSubstanceFieldDef& Def : SubstanceFields) {
        TField* Field = NewField(this, Def.Type);
        Field->SetFieldName(Def.Name);
        if (auto* Float = dynamic_cast<TFloatField*>(Field)) {
            Float->SetDisplayFormat(Def.DisplayFormat);
            if (Def.Precision > 0) Float->SetPrecision(Def.Precision);
            Float->SetMinValue(Def.MinValue);
            Float->SetMaxValue(Def.MaxValue);
        }
        Field->SetDataSet(tblDWTSubstances);
    }

    tblAbstractionPoints =
        NewTable(this, u"tblAbstractionPoints", u"AbstractionPoints", u"ID", ADOConnectionDWT);
    tblProjectParameters = NewTable(this, u"tblProjectParameters", u"ProjectParameters", u"", ADOConnectionDWT);

    tblDWTCrops = NewTable(this, u"tblDWTCrops", u"Crops", u"FOCUScrop;CropID", ADOConnectionDWT);
    for (const TLabelledFieldDef& Def : CropFields) {
        auto* Field = new TStringField(this);
        Field->SetFieldName(Def.Name);
        Field->SetDisplayLabel(Def.DisplayLabel);
        Field->SetDisplayWidth(Def.DisplayWidth);
        Field->SetDataSet(tblDWTCrops);
    }

    qryDWT = new TADOQuery(this);
    qryDWT->SetName(u"qryDWT");
    qryDWT->SetConnection(ADOConnectionDWT);
}

void TdmData::Initialise() {
    OpenScenarioDatabase();
    OpenProjectDatabase();
}

void TdmData::OpenProjectDatabase() {
    OpenProjectDatabase(GetDataDir() + ProjectDatabaseFileName);
}

void TdmData::OpenProjectDatabase(const String& FileName) {
    try {
        ADOConnectionDWT->Close();
        // Quoted, so that the path may hold a semicolon.
        ADOConnectionDWT->SetConnectionString(u"Provider=SQLite;Data Source=" + AnsiQuotedStr(FileName, u'"'));
        ADOConnectionDWT->Open();
        FilterAbstractionPoints(u"");
        FAbstractionPointCount = tblAbstractionPoints->RecordCount();
        SetNumberOfAbstractionPoints(FAbstractionPointCount);
        tblDWTSubstances->Open();
        tblProjectParameters->Open();
    } catch (const Exception& E) {
        throw Exception(Format(u"error opening the %s database: ", {ProgramTitle}) + u"\"" + E.Message() + u"\"");
    }
}

void TdmData::UpdateProjectDatasourceStatus(bool /*bEnabled*/) {}

bool TdmData::FocusDWTProject(Integer ProjectID) {
    return tblDWTProjects->Locate(u"ID", Variant(ProjectID));
}

bool TdmData::FocusDWTSubstance(Integer anID) {
    return tblDWTSubstances->Locate(u"ProjectID", Variant(anID));
}

TADOQuery* TdmData::ExecDWTQuery(const String& SQL, const std::vector<Variant>& Values) {
    qryDWT->Close();
    qryDWT->SQL()->SetText(Trim(SQL));
    TParameters* Parameters = qryDWT->Parameters();
    if (static_cast<size_t>(Parameters->Count()) != Values.size())
        throw EInvalidOperation(u"%d values given for the %d parameters of a query",
                                {static_cast<Integer>(Values.size()), Parameters->Count()});
    for (Integer i = 0; i < Parameters->Count(); ++i)
        Parameters->Items(i)->SetValue(Values[static_cast<size_t>(i)]);
    if (StartsWithSelect(qryDWT->SQL()->Text())) {
        qryDWT->Open();
        return qryDWT;
    }
    qryDWT->ExecSQL();
    return nullptr;
}

void TdmData::FilterAbstractionPoints(const String& Filter) {
    tblAbstractionPoints->Close();
    tblAbstractionPoints->SetFilter(Filter);
    tblAbstractionPoints->SetFiltered(!Filter.empty());
    tblAbstractionPoints->Open();
    tblAbstractionPoints->First();
}

void TdmData::GetAllAbstractionPoints() {
    FilterAbstractionPoints(u"ID<10");
}

void TdmData::GetDetailsBrakel() {
    FilterAbstractionPoints(u"ID=6 or ID=10");
}

void TdmData::OpenProjectsTable() {
    UpdateProjectDatasourceStatus(false);
    try {
        tblDWTProjects->Open();
    } catch (...) {
        UpdateProjectDatasourceStatus(true);
        throw;
    }
    UpdateProjectDatasourceStatus(true);
}

void TdmData::tblDWTProjectsBeforeDelete(TDataSet* DataSet) {
    const String Name = DataSet->FieldByName(u"Name")->AsString();
    if (!Confirm(u"Are you sure you want to remove project " + Name + u" including all input and output files?"))
        throw EAbort(u"Operation aborted");
    // The folder is the projects folder followed by the name. Without a
    // usable name there is no folder of the project's own, and the projects
    // folder itself must never go.
    if (!Name.empty() && !HasInvalidNameChars(Name)) DeleteDirectory(GetProjectsDir() + Name);
    // The database deletes the project's parameter, run and substance rows
    // together with the row itself.
}
