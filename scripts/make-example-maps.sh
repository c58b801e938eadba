#!/usr/bin/env bash
# Draws the example pictures of the information windows into data/resources/:
# schematic maps of the abstraction points, their intake areas and the D3
# ditch scenario. They are drawings of our own, marked "EXAMPLE", not survey
# maps. Needs ImageMagick (convert) and the DejaVu fonts.
#
#   bash scripts/make-example-maps.sh
set -euo pipefail
cd "$(dirname "$0")/.."
out=data/resources
mkdir -p "$out"
font=DejaVu-Sans
bold=DejaVu-Sans-Bold

# The drawing steps of the picture being made, appended by the helpers below.
steps=()
# A river: a wide blue polyline.
river() { steps+=(-fill none -stroke '#5b8fd0' -strokewidth "$1" -draw "polyline $2" -stroke none); }
# A point: a red dot with its name.
point() {
  steps+=(-fill '#d02020' -draw "circle $1,$2 $(($1 + 6)),$2"
          -fill '#102030' -font "$font" -pointsize 13 -draw "text $(($1 + 10)),$(($2 + 5)) '$3'")
}
# An intake area: a translucent outlined polygon.
area() { steps+=(-fill '#f0d06080' -stroke '#b08020' -strokewidth 2 -draw "polygon $1" -stroke none); }
# Any other drawing arguments.
draw() { steps+=("$@"); }

# map <file> <width> <height> <title>: draws the steps gathered so far on a
# framed background with the example marks, and starts a new picture.
map() {
  local file=$1 w=$2 h=$3 title=$4
  convert -size "${w}x${h}" xc:'#eef3e6' \
    -fill '#dbe8cf' -stroke '#b9c9a8' -draw "rectangle 10,40 $((w - 10)),$((h - 10))" \
    -stroke none "${steps[@]}" \
    -fill '#c0303060' -font "$bold" -pointsize $((w / 6)) -gravity center \
    -draw "rotate -25 text 0,0 'EXAMPLE'" \
    -gravity northwest -fill '#203040' -font "$bold" -pointsize 16 -draw "text 14,12 '$title'" \
    -font "$font" -pointsize 11 -fill '#405060' \
    -draw "text 14,$((h - 26)) 'Schematic example drawing, not a map: for trying the program out'" \
    -quality 70 -strip "$out/$file"
  steps=()
}

river 14 '120,980 300,760 420,640 560,560 700,420 860,300'
river 8 '420,640 380,520 300,420 220,300 160,120'
point 700 420 'Enschede/Twentekanaal'; point 560 560 'Heel'; point 420 640 'Nieuwegein'
point 300 760 'De Punt'; point 300 420 'Andijk'; point 380 520 'Brakel'
point 220 300 'Scheelhoek'; point 160 120 'Amsterdam-Rijn Kanaal'; point 560 800 'Petrusplaat'
map AbstractionPointsMap.jpg 900 1000 'Abstraction points of surface water (example)'

area '60,120 280,90 300,300 90,330'; area '320,110 540,140 520,330 330,300'
area '70,370 280,350 290,620 80,640'; area '320,360 530,380 540,640 310,620'
point 170 210 'Enschede'; point 420 220 'Heel'; point 170 490 'Nieuwegein'; point 420 500 'De Punt'
map IntakeAreasMap1.jpg 600 700 'Intake areas 1 (example)'

area '60,120 540,100 520,330 80,350'; area '70,380 530,370 540,640 60,630'
river 10 '40,600 200,520 400,470 560,420'
point 300 220 'Andijk'; point 300 520 'Brakel'
map IntakeAreasMap2.jpg 600 700 'Intake areas 2 (example)'

area '50,110 350,90 360,440 40,450'; river 8 '30,420 150,330 260,300 380,250'
point 200 260 'Bommelerwaard'
map IntakeAreasMap2a.jpg 400 500 'Bommelerwaard (example)'

area '80,110 520,130 540,620 60,640'; river 12 '40,660 220,500 380,360 580,200'
point 300 380 'Scheelhoek'
map IntakeAreasMap3.jpg 600 700 'Intake area 3 (example)'

area '60,110 540,120 530,340 70,330'; area '70,380 520,370 540,640 60,630'
point 300 220 'Nieuwersluis'; point 300 510 'Petrusplaat'
map IntakeAreasMap4.jpg 600 700 'Intake areas 4 (example)'

draw -fill '#e8dca0' -draw 'rectangle 60,80 740,250' -fill '#d8e8a0' -draw 'rectangle 60,300 740,470'
river 14 '40,275 760,275'
draw -fill '#203040' -font "$font" -pointsize 14 \
  -draw "text 80,110 'treated field (drift and drainage)'" -draw "text 80,330 'untreated field'" \
  -draw "text 600,300 'ditch, 100 m'"
map D3ScenarioMap.jpg 800 560 'FOCUS D3 ditch scenario (example)'
