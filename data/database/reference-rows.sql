-- Reference rows of the project database: the abstraction points and the
-- FOCUS D3 crops with the regional crop groupings that may be assigned to them.
--
-- EXAMPLE DATA. The abstraction points' names are those of the engine's
-- Names.inp and their intake areas those of the default crop-area file; the
-- captions' wording, the default dilution factors and the crop
-- correspondences are example values for trying the program out, like the
-- grouping names and areas of default.CropArea. The grouping codes 1 .. 26
-- and their names are those of default.CropArea (the English names as in
-- Names.inp, the Dutch ones as in default.CropArea). The FOCUS crops'
-- captions are those of the example scenario database's FocusCrops.

INSERT INTO AbstractionPoints (ID, Name, Caption, DefaultADF, DefaultArea) VALUES
  (1, 'DE PUNT', 'De Punt', 1.0, 185000),
  (2, 'ANDIJK', 'Andijk', 1.0, 96000),
  (3, 'NIEUWEGEIN', 'Nieuwegein', 0.8, 143000),
  (4, 'HEEL', 'Heel', 1.0, 212000),
  (5, 'AMSTERDAM', 'Amsterdam', 0.5, 48000),
  (6, 'BRAKEL', 'Brakel', 1.0, 167000),
  (7, 'PETRUSPLAAT', 'Petrusplaat', 1.0, 121000),
  (8, 'TWENTEKANAAL', 'Enschede/Twentekanaal', 1.0, 64000),
  (9, 'SCHEELHOEK', 'Scheelhoek', 0.9, 88000),
  (10, 'BOMMELERWAARD', 'Bommelerwaard (sub-area of Brakel)', 1.0, 11500);

INSERT INTO Crops (FOCUScrop, Korvaliscrop, KorvaliscropNL, CropID, FOCUSCropDWT, KorvaliscropDWT) VALUES
  ('Cereals, winter', 'Winter cereals', 'Wintergranen', '3', 'cereals_winter', 'Wintergranen'),
  ('Cereals, spring', 'Spring cereals', 'Zomergranen', '4', 'cereals_spring', 'Zomergranen'),
  ('Grass/alfalfa', 'Grassland', 'Grasland', '1', 'grass_alfalfa', 'Grasland'),
  ('Legumes', 'Field beans and peas', 'Veldbonen en erwten', '10', 'legumes', 'Veldbonen_en_erwten'),
  ('Maize', 'Maize', 'Mais', '2', 'maize', 'Mais'),
  ('Oil seed rape, winter', 'Winter oilseed rape', 'Winterkoolzaad', '9', 'oilseed_rape_winter', 'Winterkoolzaad'),
  ('Oil seed rape, spring', 'Other arable crops', 'Overige akkerbouw', '26', 'oilseed_rape_spring', 'Overige_akkerbouw'),
  ('Pome/stone fruit', 'Apples and pears', 'Appels en peren', '21', 'pome_stone_fruit', 'Appels_en_peren'),
  ('Pome/stone fruit', 'Stone fruit', 'Steenvruchten', '22', 'pome_stone_fruit', 'Steenvruchten'),
  ('Pome/stone fruit', 'Small fruit', 'Kleinfruit', '23', 'pome_stone_fruit', 'Kleinfruit'),
  ('Pome/stone fruit', 'Tree nurseries', 'Boomkwekerij', '24', 'pome_stone_fruit', 'Boomkwekerij'),
  ('Potatoes', 'Potatoes, consumption', 'Consumptieaardappelen', '5', 'potatoes', 'Consumptieaardappelen'),
  ('Potatoes', 'Potatoes, starch', 'Zetmeelaardappelen', '6', 'potatoes', 'Zetmeelaardappelen'),
  ('Potatoes', 'Seed potatoes', 'Pootaardappelen', '7', 'potatoes', 'Pootaardappelen'),
  ('Sugar beets', 'Sugar beet', 'Suikerbieten', '8', 'sugar_beets', 'Suikerbieten'),
  ('Vegetables, bulb', 'Onions', 'Uien', '11', 'vegetables_bulb', 'Uien'),
  ('Vegetables, bulb', 'Leek', 'Prei', '15', 'vegetables_bulb', 'Prei'),
  ('Vegetables, bulb', 'Flower bulbs, tulips', 'Tulpen', '18', 'vegetables_bulb', 'Tulpen'),
  ('Vegetables, bulb', 'Flower bulbs, lilies', 'Lelies', '19', 'vegetables_bulb', 'Lelies'),
  ('Vegetables, bulb', 'Flower bulbs, other', 'Overige bolgewassen', '20', 'vegetables_bulb', 'Overige_bolgewassen'),
  ('Vegetables, fruiting', 'Asparagus', 'Asperges', '16', 'vegetables_fruiting', 'Asperges'),
  ('Vegetables, fruiting', 'Strawberries', 'Aardbeien', '17', 'vegetables_fruiting', 'Aardbeien'),
  ('Vegetables, fruiting', 'Outdoor ornamentals', 'Buitenbloemen', '25', 'vegetables_fruiting', 'Buitenbloemen'),
  ('Vegetables, leafy', 'Leafy vegetables', 'Bladgroenten', '12', 'vegetables_leafy', 'Bladgroenten'),
  ('Vegetables, leafy', 'Cabbages', 'Koolgewassen', '13', 'vegetables_leafy', 'Koolgewassen'),
  ('Vegetables, root', 'Carrots and root crops', 'Wortelgewassen', '14', 'vegetables_root', 'Wortelgewassen'),
  ('Vegetables, root', 'Potatoes, consumption', 'Consumptieaardappelen', '5', 'vegetables_root', 'Consumptieaardappelen');
