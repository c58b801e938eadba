-- The example scenario database: the tables of the scenario tool TRAVO that
-- the desktop program reads, in version 3, with a few projects to try the
-- program out. Firebird SQL; the build makes travo.fdb from this file
-- through the embedded engine (see data/CMakeLists.txt).
--
-- EXAMPLE DATA: every project, run, crop number, folder, application scheme,
-- rate, substance checksum and date in this file is an example value for
-- trying the programs out, not an output of the scenario tool. The substance
-- identities are those of the example substances of the stand-in substance
-- library (data/substances/).
--
-- The paths are written as the scenario tool writes them on Windows. The
-- program maps drive C: to the folder configured for it; the lateral-entry
-- files of these runs lie below this file's folder in TRAVO/Projects/, so
-- mapping C: to this folder makes them readable.
--
-- What the rows show:
--   FOCUS_D3                  a standard FOCUS project (Focus 'YES'): never offered
--   Examplofen_arable         copied; two runs at the locked D3_Ditch (1 and 2
--                             applications; the second file writes its heading
--                             in capitals), one run at D4_Pond
--   Examplofen_fruit_veg      copied; three runs at D3_Ditch, two of them of
--                             FOCUS crop number 22 told apart by their order
--                             number, one naming its lateral-entry file by a
--                             full drive path
--   Examplofen sugar beet     copied, a caption with blanks; one run at D3_Ditch
--   Examplofen_pond           copied; runs only at D4_Pond
--   Examplofen_user_ditch     copied; a run at an unlocked copy of D3_Ditch
--   Examplofen_draft          copied; its only run's file counts 3 applications
--                             where the scheme has 2: no dates, never offered

CREATE TABLE SYSDBINFO (
  DBVERSION INTEGER NOT NULL
);

CREATE TABLE Locations (
  LocationID INTEGER NOT NULL PRIMARY KEY,
  Caption    VARCHAR(40) NOT NULL,
  Locked     VARCHAR(3) NOT NULL
);

CREATE TABLE FocusCrops (
  CropID   INTEGER NOT NULL PRIMARY KEY,
  Caption  VARCHAR(60) NOT NULL,
  Dir_name VARCHAR(60) NOT NULL,
  CropNr   INTEGER NOT NULL
);

CREATE TABLE Projects (
  ProjectID        INTEGER NOT NULL PRIMARY KEY,
  Caption          VARCHAR(60) NOT NULL,
  Description      VARCHAR(250),
  CreationDate     TIMESTAMP,
  ModificationDate TIMESTAMP,
  Path             VARCHAR(250),
  Focus            VARCHAR(3) NOT NULL
);

CREATE TABLE ApplicationSchemes (
  ApplicationSchemeID INTEGER NOT NULL PRIMARY KEY,
  Caption             VARCHAR(60)
);

CREATE TABLE AbsoluteApplications (
  ApplicationsSchemeID INTEGER NOT NULL REFERENCES ApplicationSchemes (ApplicationSchemeID),
  ApplicationNr        INTEGER NOT NULL,
  Rate                 DOUBLE PRECISION NOT NULL,
  PRIMARY KEY (ApplicationsSchemeID, ApplicationNr)
);

CREATE TABLE Runs (
  RunID               INTEGER NOT NULL PRIMARY KEY,
  ProjectID           INTEGER NOT NULL REFERENCES Projects (ProjectID),
  LocationID          INTEGER NOT NULL REFERENCES Locations (LocationID),
  ApplicationSchemeID INTEGER NOT NULL REFERENCES ApplicationSchemes (ApplicationSchemeID),
  CropID              INTEGER NOT NULL REFERENCES FocusCrops (CropID),
  LatEntryFile        VARCHAR(250),
  SubstanceGUID       VARCHAR(38),
  SubstanceCheckSum   VARCHAR(40),
  FocusCropNr         INTEGER
);

COMMIT;

INSERT INTO SYSDBINFO (DBVERSION) VALUES (3);

INSERT INTO Locations VALUES (1, 'D3_Ditch', 'YES');
INSERT INTO Locations VALUES (2, 'D4_Pond', 'YES');
INSERT INTO Locations VALUES (3, 'D3_Ditch', 'NO');

INSERT INTO FocusCrops VALUES (1, 'Cereals, winter', 'cereals_winter', 1);
INSERT INTO FocusCrops VALUES (2, 'Potatoes', 'potatoes', 12);
INSERT INTO FocusCrops VALUES (3, 'Pome/stone fruit', 'pome_stone_fruit', 14);
INSERT INTO FocusCrops VALUES (4, 'Vegetables, leafy', 'vegetables_leafy', 22);
INSERT INTO FocusCrops VALUES (5, 'Sugar beets', 'sugar_beets', 17);

INSERT INTO ApplicationSchemes VALUES (1, 'one application of 1.2 kg/ha');
INSERT INTO ApplicationSchemes VALUES (2, 'two applications of 0.5 kg/ha');
INSERT INTO ApplicationSchemes VALUES (3, 'three applications in fruit');
INSERT INTO ApplicationSchemes VALUES (4, 'one application of 0.4 kg/ha');
INSERT INTO ApplicationSchemes VALUES (5, 'two applications of 0.3 kg/ha');

INSERT INTO AbsoluteApplications VALUES (1, 1, 1.2);
INSERT INTO AbsoluteApplications VALUES (2, 1, 0.5);
INSERT INTO AbsoluteApplications VALUES (2, 2, 0.5);
INSERT INTO AbsoluteApplications VALUES (3, 1, 0.75);
INSERT INTO AbsoluteApplications VALUES (3, 2, 0.75);
INSERT INTO AbsoluteApplications VALUES (3, 3, 0.5);
INSERT INTO AbsoluteApplications VALUES (4, 1, 0.4);
INSERT INTO AbsoluteApplications VALUES (5, 1, 0.3);
INSERT INTO AbsoluteApplications VALUES (5, 2, 0.3);

INSERT INTO Projects VALUES (1, 'FOCUS_D3', 'Standard FOCUS D3 project (example data)',
  '2024-01-08 10:00:00', '2024-01-08 10:00:00', 'C:\TRAVO\Projects\FOCUS_D3', 'YES');
INSERT INTO Projects VALUES (2, 'Examplofen_arable', 'Examplofen in arable crops (example data)',
  '2024-03-11 09:15:00', '2024-04-02 16:40:00', 'C:\TRAVO\Projects\Examplofen_arable', 'NO');
INSERT INTO Projects VALUES (3, 'Examplofen_fruit_veg', 'Examplofen in fruit and vegetables (example data)',
  '2024-03-12 11:05:00', '2024-03-12 11:05:00', 'C:\TRAVO\Projects\Examplofen_fruit_veg', 'NO');
INSERT INTO Projects VALUES (4, 'Examplofen sugar beet', 'A caption with blanks (example data)',
  '2024-03-14 08:00:00', '2024-03-14 08:00:00', 'C:\TRAVO\Projects\Examplofen sugar beet', 'NO');
INSERT INTO Projects VALUES (5, 'Examplofen_pond', 'Runs at the pond only (example data)',
  '2024-03-15 08:00:00', '2024-03-15 08:00:00', 'C:\TRAVO\Projects\Examplofen_pond', 'NO');
INSERT INTO Projects VALUES (6, 'Examplofen_user_ditch', 'A run at an unlocked ditch (example data)',
  '2024-03-16 08:00:00', '2024-03-16 08:00:00', 'C:\TRAVO\Projects\Examplofen_user_ditch', 'NO');
INSERT INTO Projects VALUES (7, 'Examplofen_draft', 'Lateral-entry file out of step (example data)',
  '2024-03-17 08:00:00', '2024-03-17 08:00:00', 'C:\TRAVO\Projects\Examplofen_draft', 'NO');

-- RunID, ProjectID, LocationID, ApplicationSchemeID, CropID, LatEntryFile,
-- SubstanceGUID, SubstanceCheckSum, FocusCropNr
INSERT INTO Runs VALUES (101, 1, 1, 1, 1, 'run101.m2t',
  '{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}', 'example-checksum-1', 1);
INSERT INTO Runs VALUES (201, 2, 1, 1, 1, 'run201.m2t',
  '{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}', 'example-checksum-1', 1);
INSERT INTO Runs VALUES (202, 2, 1, 2, 2, 'run202.m2t',
  '{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}', 'example-checksum-1', 2);
INSERT INTO Runs VALUES (203, 2, 2, 1, 1, 'run203.m2t',
  '{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}', 'example-checksum-1', 1);
INSERT INTO Runs VALUES (301, 3, 1, 3, 3, 'run301.m2t',
  '{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}', 'example-checksum-1', 1);
INSERT INTO Runs VALUES (302, 3, 1, 4, 4, 'C:\TRAVO\Shared\leafy_first.m2t',
  '{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}', 'example-checksum-1', 2);
INSERT INTO Runs VALUES (303, 3, 1, 5, 4, 'run303.m2t',
  '{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}', 'example-checksum-1', 3);
INSERT INTO Runs VALUES (401, 4, 1, 4, 5, 'run401.m2t',
  '{B3C94D27-58E1-4F0A-A6D2-7E15C0F98B42}', 'example-checksum-2', 1);
INSERT INTO Runs VALUES (501, 5, 2, 2, 2, 'run501.m2t',
  '{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}', 'example-checksum-1', 1);
INSERT INTO Runs VALUES (601, 6, 3, 1, 1, 'run601.m2t',
  '{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}', 'example-checksum-1', 1);
INSERT INTO Runs VALUES (701, 7, 1, 2, 2, 'run701.m2t',
  '{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}', 'example-checksum-1', 1);

COMMIT;
