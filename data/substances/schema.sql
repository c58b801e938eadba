-- The substance store of our stand-in substance library (libvorn.so).
-- Numbers are kept as text with "." as decimal separator; the library
-- answers them with the decimal separator the desktop program asks for.

-- The attributes a substance may have. Required attributes make up the
-- short information list; a substance lacking one of them is incomplete.
CREATE TABLE AttributeDefinitions (
  Name        TEXT    NOT NULL PRIMARY KEY COLLATE NOCASE,
  Kind        TEXT    NOT NULL CHECK (Kind IN ('Text', 'Number')),
  Required    INTEGER NOT NULL CHECK (Required IN (0, 1)),
  Position    INTEGER NOT NULL UNIQUE,
  Description TEXT    NOT NULL DEFAULT ''
);

CREATE TABLE Substances (
  GUID          TEXT    NOT NULL PRIMARY KEY COLLATE NOCASE,
  SubstanceCode TEXT    NOT NULL UNIQUE COLLATE NOCASE CHECK (trim(SubstanceCode) <> ''),
  Locked        INTEGER NOT NULL DEFAULT 0 CHECK (Locked IN (0, 1))
);

CREATE TABLE SubstanceAttributes (
  SubstanceGUID TEXT NOT NULL REFERENCES Substances (GUID) ON DELETE CASCADE,
  Name          TEXT NOT NULL REFERENCES AttributeDefinitions (Name) COLLATE NOCASE,
  Value         TEXT NOT NULL,
  PRIMARY KEY (SubstanceGUID, Name)
);

-- Metabolite MetaboliteGUID is formed from ParentGUID in a compartment.
CREATE TABLE Metabolites (
  ParentGUID        TEXT    NOT NULL REFERENCES Substances (GUID) ON DELETE CASCADE,
  MetaboliteGUID    TEXT    NOT NULL REFERENCES Substances (GUID) ON DELETE CASCADE,
  CompartmentID     INTEGER NOT NULL,
  FormationFraction TEXT    NOT NULL,
  PRIMARY KEY (ParentGUID, MetaboliteGUID, CompartmentID),
  CHECK (ParentGUID <> MetaboliteGUID)
);

INSERT INTO AttributeDefinitions (Name, Kind, Required, Position, Description) VALUES
  ('Name',          'Text',   0,  1, 'Common name'),
  ('MolMass',       'Number', 1,  2, 'Molar mass [g/mol]'),
  ('DT50WatRef',    'Number', 1,  3, 'Half-life in water at the reference temperature [d]'),
  ('TemRefTraWat',  'Number', 1,  4, 'Reference temperature of the half-life in water [C]'),
  ('MolEntTraWat',  'Number', 1,  5, 'Molar activation energy of transformation in water [kJ/mol]'),
  ('SlbWatRef',     'Number', 1,  6, 'Solubility in water [mg/L]'),
  ('TemRefSlb',     'Number', 1,  7, 'Reference temperature of the solubility [C]'),
  ('PreVapRef',     'Number', 1,  8, 'Saturated vapour pressure [Pa]'),
  ('TemRefVap',     'Number', 1,  9, 'Reference temperature of the vapour pressure [C]'),
  ('KomSed',        'Number', 1, 10, 'Organic matter-water partitioning coefficient in sediment [L/kg]'),
  ('MolEntVap',     'Number', 0, 11, 'Molar enthalpy of vaporisation [kJ/mol]'),
  ('MolEntSlb',     'Number', 0, 12, 'Molar enthalpy of dissolution [kJ/mol]'),
  ('Kom',           'Number', 0, 13, 'Organic matter-water partitioning coefficient in soil [L/kg]'),
  ('ExpFre',        'Number', 0, 14, 'Freundlich exponent [-]'),
  ('DT50SedRef',    'Number', 0, 15, 'Half-life in sediment at the reference temperature [d]'),
  ('TemRefTraSed',  'Number', 0, 16, 'Reference temperature of the half-life in sediment [C]');
