-- EXAMPLE DATA: made-up substances for trying the programs out. Their names,
-- codes, identifiers and every property value are example values, not
-- measured properties of any real substance.

INSERT INTO Substances (GUID, SubstanceCode) VALUES
  ('{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}', 'Examplofen'),
  ('{B3C94D27-58E1-4F0A-A6D2-7E15C0F98B42}', 'Sampleton'),
  ('{0F5D8A93-C2B4-4D67-8E1A-935B2C7D4F03}', 'Demothrin'),
  ('{9E27C1B5-3A84-4B2F-B7D9-61E0F4A2C856}', 'Examplofen-acid'),
  ('{D41B6E08-7F2C-49A3-85E6-0C9A3B1D7F24}', 'Draftazole');

INSERT INTO SubstanceAttributes (SubstanceGUID, Name, Value) VALUES
  ('{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}', 'Name',         'Examplofen (example)'),
  ('{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}', 'MolMass',      '291.3'),
  ('{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}', 'DT50WatRef',   '12.5'),
  ('{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}', 'TemRefTraWat', '20'),
  ('{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}', 'MolEntTraWat', '65.4'),
  ('{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}', 'SlbWatRef',    '100'),
  ('{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}', 'TemRefSlb',    '20'),
  ('{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}', 'PreVapRef',    '2E-5'),
  ('{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}', 'TemRefVap',    '20'),
  ('{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}', 'KomSed',       '450'),
  ('{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}', 'Kom',          '300'),
  ('{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}', 'ExpFre',       '0.9'),

  ('{B3C94D27-58E1-4F0A-A6D2-7E15C0F98B42}', 'Name',         'Sampleton (example)'),
  ('{B3C94D27-58E1-4F0A-A6D2-7E15C0F98B42}', 'MolMass',      '204.7'),
  ('{B3C94D27-58E1-4F0A-A6D2-7E15C0F98B42}', 'DT50WatRef',   '40'),
  ('{B3C94D27-58E1-4F0A-A6D2-7E15C0F98B42}', 'TemRefTraWat', '20'),
  ('{B3C94D27-58E1-4F0A-A6D2-7E15C0F98B42}', 'MolEntTraWat', '65.4'),
  ('{B3C94D27-58E1-4F0A-A6D2-7E15C0F98B42}', 'SlbWatRef',    '1500'),
  ('{B3C94D27-58E1-4F0A-A6D2-7E15C0F98B42}', 'TemRefSlb',    '25'),
  ('{B3C94D27-58E1-4F0A-A6D2-7E15C0F98B42}', 'PreVapRef',    '0.0013'),
  ('{B3C94D27-58E1-4F0A-A6D2-7E15C0F98B42}', 'TemRefVap',    '25'),
  ('{B3C94D27-58E1-4F0A-A6D2-7E15C0F98B42}', 'KomSed',       '35'),

  ('{0F5D8A93-C2B4-4D67-8E1A-935B2C7D4F03}', 'Name',         'Demothrin (example)'),
  ('{0F5D8A93-C2B4-4D67-8E1A-935B2C7D4F03}', 'MolMass',      '416.3'),
  ('{0F5D8A93-C2B4-4D67-8E1A-935B2C7D4F03}', 'DT50WatRef',   '3.2'),
  ('{0F5D8A93-C2B4-4D67-8E1A-935B2C7D4F03}', 'TemRefTraWat', '20'),
  ('{0F5D8A93-C2B4-4D67-8E1A-935B2C7D4F03}', 'MolEntTraWat', '65.4'),
  ('{0F5D8A93-C2B4-4D67-8E1A-935B2C7D4F03}', 'SlbWatRef',    '0.002'),
  ('{0F5D8A93-C2B4-4D67-8E1A-935B2C7D4F03}', 'TemRefSlb',    '20'),
  ('{0F5D8A93-C2B4-4D67-8E1A-935B2C7D4F03}', 'PreVapRef',    '2.1E-6'),
  ('{0F5D8A93-C2B4-4D67-8E1A-935B2C7D4F03}', 'TemRefVap',    '20'),
  ('{0F5D8A93-C2B4-4D67-8E1A-935B2C7D4F03}', 'KomSed',       '95000'),

  ('{9E27C1B5-3A84-4B2F-B7D9-61E0F4A2C856}', 'Name',         'Examplofen acid (example metabolite)'),
  ('{9E27C1B5-3A84-4B2F-B7D9-61E0F4A2C856}', 'MolMass',      '263.2'),
  ('{9E27C1B5-3A84-4B2F-B7D9-61E0F4A2C856}', 'DT50WatRef',   '60'),
  ('{9E27C1B5-3A84-4B2F-B7D9-61E0F4A2C856}', 'TemRefTraWat', '20'),
  ('{9E27C1B5-3A84-4B2F-B7D9-61E0F4A2C856}', 'MolEntTraWat', '65.4'),
  ('{9E27C1B5-3A84-4B2F-B7D9-61E0F4A2C856}', 'SlbWatRef',    '5000'),
  ('{9E27C1B5-3A84-4B2F-B7D9-61E0F4A2C856}', 'TemRefSlb',    '20'),
  ('{9E27C1B5-3A84-4B2F-B7D9-61E0F4A2C856}', 'PreVapRef',    '1E-7'),
  ('{9E27C1B5-3A84-4B2F-B7D9-61E0F4A2C856}', 'TemRefVap',    '20'),
  ('{9E27C1B5-3A84-4B2F-B7D9-61E0F4A2C856}', 'KomSed',       '12'),

  -- Incomplete on purpose: no vapour pressure and no sediment sorption yet.
  ('{D41B6E08-7F2C-49A3-85E6-0C9A3B1D7F24}', 'Name',         'Draftazole (example, incomplete)'),
  ('{D41B6E08-7F2C-49A3-85E6-0C9A3B1D7F24}', 'MolMass',      '329.8'),
  ('{D41B6E08-7F2C-49A3-85E6-0C9A3B1D7F24}', 'DT50WatRef',   '18'),
  ('{D41B6E08-7F2C-49A3-85E6-0C9A3B1D7F24}', 'TemRefTraWat', '20'),
  ('{D41B6E08-7F2C-49A3-85E6-0C9A3B1D7F24}', 'MolEntTraWat', '65.4'),
  ('{D41B6E08-7F2C-49A3-85E6-0C9A3B1D7F24}', 'SlbWatRef',    '36'),
  ('{D41B6E08-7F2C-49A3-85E6-0C9A3B1D7F24}', 'TemRefSlb',    '20');

-- Compartment 1 is water.
INSERT INTO Metabolites (ParentGUID, MetaboliteGUID, CompartmentID, FormationFraction) VALUES
  ('{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}', '{9E27C1B5-3A84-4B2F-B7D9-61E0F4A2C856}', 1, '0.35');
