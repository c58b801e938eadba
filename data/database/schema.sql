-- The tables of the project database VANDREL.db.
--
-- The columns of ProjectParameters, runs and substances stand in the order
-- the program appends and copies them, by position; so does every column of
-- Projects after its ID. Keep these orders when a column is added: new
-- columns go at the end.
--
-- Text compares as the program expects: the crop and grouping columns that
-- the stored runs are joined on ignore letter case.

PRAGMA foreign_keys = OFF;

-- One row per assessment project. AUTOINCREMENT: an ID is never given out
-- twice, not even after the project with the highest ID was deleted.
CREATE TABLE Projects (
  ID                INTEGER PRIMARY KEY AUTOINCREMENT,
  Name              VARCHAR(255),
  Description       TEXT,
  CreationDate      DATETIME,
  ModificationDate  DATETIME,
  TravoProjectID    INTEGER,
  CropAreaFile      TEXT,       -- full path of the crop-area file; empty: the default file
  SubstanceCode     VARCHAR(255),
  SubstanceGUID     VARCHAR(255),
  SubstanceCheckSum VARCHAR(255)
);

-- Dilution factors ("ADF", CropID "-") and market shares ("Share", CropID
-- the grouping code) per abstraction point (1 .. N).
CREATE TABLE ProjectParameters (
  ProjectID        INTEGER NOT NULL,
  AbstractionPoint INTEGER NOT NULL,
  Parameter        VARCHAR(10) NOT NULL,
  CropID           VARCHAR(3) NOT NULL,
  Value            DOUBLE
);
CREATE INDEX ProjectParametersByProject ON ProjectParameters (ProjectID);

-- The assessed runs: peak, its date, its entry route (1 spray drift,
-- 2 drainage) and the crop grouping; null for a run not yet assessed.
CREATE TABLE runs (
  RunID          VARCHAR(20) NOT NULL,
  ProjectID      INTEGER NOT NULL,
  CropCode       VARCHAR(30) COLLATE NOCASE,
  PecPeak        DOUBLE,
  DatePeak       VARCHAR(20),
  CausedBy       INTEGER,
  KorvalisCropID VARCHAR(3) COLLATE NOCASE
);
CREATE INDEX runsByProject ON runs (ProjectID);

-- The substance properties of a project, carried along when a project is
-- copied.
CREATE TABLE substances (
  ProjectID           INTEGER,
  SubstanceCode       VARCHAR(255),
  Name                VARCHAR(255),
  IsParent            BOOLEAN,
  MolMass             DOUBLE,
  MolEntVap           DOUBLE,
  SlbWatRef           DOUBLE,
  TemRefSlb           DOUBLE,
  MolEntSlb           DOUBLE,
  CofDifAirRef        DOUBLE,
  DetailedSorption    BOOLEAN,
  Kom                 DOUBLE,
  ExpFre              DOUBLE,
  ConLiqRef           DOUBLE,
  KomSus              DOUBLE,
  KocSus              DOUBLE,
  ExpFreSus           DOUBLE,
  ConLiqRefSus        DOUBLE,
  KomSed              DOUBLE,
  KocSed              DOUBLE,
  ExpFreSed           DOUBLE,
  ConLiqRefSed        DOUBLE,
  KomSol              DOUBLE,
  KocSol              DOUBLE,
  ConLiqRefSol        DOUBLE,
  KsorMph             DOUBLE,
  MolEntTra           DOUBLE,
  DT50WatRef          DOUBLE,
  TemRefTraWat        DOUBLE,
  DT50SedRef          DOUBLE,
  TemRefTraSed        DOUBLE,
  Locked              BOOLEAN,
  DiffersFromOriginal BOOLEAN,
  MACRO_fext          DOUBLE,
  MACRO_fstar         DOUBLE,
  MACRO_Koc           DOUBLE,
  MACRO_freund        DOUBLE,
  MACRO_vap           DOUBLE,
  MACRO_VpTemp        DOUBLE,
  MACRO_halflife      DOUBLE,
  MACRO_tref          DOUBLE,
  MACRO_candeg        DOUBLE
);
CREATE INDEX substancesByProject ON substances (ProjectID);

-- Reference rows, read only: the abstraction points, ID 1 .. N. A point's
-- position in a project's list of points is its ID - 1.
CREATE TABLE AbstractionPoints (
  ID         INTEGER PRIMARY KEY,
  Name       VARCHAR(50) NOT NULL,   -- as in the engine's Names.inp
  Caption    VARCHAR(50) NOT NULL,
  DefaultADF DOUBLE NOT NULL,        -- default additional dilution factor
  DefaultArea DOUBLE NOT NULL        -- intake area, ha
);

-- Reference rows, read only: the FOCUS D3 crops and the regional crop
-- groupings that may be assigned to each.
CREATE TABLE Crops (
  FOCUScrop       VARCHAR(30) NOT NULL COLLATE NOCASE, -- the scenario database's FocusCrops.Caption
  Korvaliscrop    VARCHAR(30) NOT NULL,                -- English grouping name
  KorvaliscropNL  VARCHAR(30) NOT NULL,                -- Dutch grouping name
  CropID          VARCHAR(3) NOT NULL COLLATE NOCASE,  -- grouping code, 1 .. 26 of the crop-area file
  FOCUSCropDWT    VARCHAR(30) NOT NULL,                -- the crop as the engine's input names it
  KorvaliscropDWT VARCHAR(30) NOT NULL,                -- the grouping as the engine's input names it
  PRIMARY KEY (FOCUScrop, CropID)
);

-- A deleted project takes its parameters, runs and substance rows with it,
-- in the same statement, so a later project can never inherit them.
CREATE TRIGGER ProjectsDeleteDependentRows AFTER DELETE ON Projects
BEGIN
  DELETE FROM ProjectParameters WHERE ProjectID = OLD.ID;
  DELETE FROM runs WHERE ProjectID = OLD.ID;
  DELETE FROM substances WHERE ProjectID = OLD.ID;
END;
