#!/bin/sh
# Draws the button images that ship beside the program: the 51 images a custom tag
# button can carry (resources/glyphs/GLYPH_1.png ... GLYPH_51.png) and the images of
# the built-in speedbar buttons (resources/speedbar/<button name>.png) and the main toolbar's
# buttons (resources/toolbar/<button name>.png).
# Needs ImageMagick's "convert" and the DejaVu fonts. Run from anywhere:
#     scripts/make-glyphs.sh
# Every image is 16 x 16 pixels on a transparent background. Pure red (#FF0000) is never
# used: the custom-button image list treats it as transparent.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
glyphs="$root/resources/glyphs"
speedbar="$root/resources/speedbar"
toolbar="$root/resources/toolbar"
mkdir -p "$glyphs" "$speedbar" "$toolbar"

SANS=DejaVu-Sans
SANSB=DejaVu-Sans-Bold
SERIFB=DejaVu-Serif-Bold
SERIFBI=DejaVu-Serif-Bold-Italic
MONOB=DejaVu-Sans-Mono-Bold

# Written without time stamps, so drawing again gives the same files.
save() { # file, then convert arguments that draw on a 16x16 transparent canvas
    f=$1; shift
    convert -size 16x16 xc:none "$@" -strip -define png:exclude-chunks=date,time,tIME "PNG32:$f"
}

# One character of a font, centred: file colour text [pointsize] [font] [offset]
sym() {
    save "$1" -font "${5:-$SANS}" -pointsize "${4:-15}" -fill "$2" -gravity center \
        -annotate "${6:-+0+0}" "$3"
}

# Crisp shapes: file, then draw arguments without anti-aliasing
shape() {
    f=$1; shift
    save "$f" +antialias "$@"
}

G="$glyphs/GLYPH_"

# ---- Custom button images ----
# Shapes
sym "${G}1.png" '#E0A800' '★' 17                                   # star
sym "${G}2.png" '#D01818' '♥' 17                                   # heart
shape "${G}3.png" -fill '#2060D0' -stroke '#103070' -draw 'circle 7.5,7.5 7.5,1.5'    # circle
shape "${G}4.png" -fill '#30A030' -stroke '#105010' -draw 'rectangle 2,2 13,13'        # square
shape "${G}5.png" -fill '#F08000' -stroke '#804000' -draw 'polygon 7.5,1 14,14 1,14'   # triangle
shape "${G}6.png" -fill '#9030C0' -stroke '#501070' -draw 'polygon 7.5,0 15,7.5 7.5,15 0,7.5' # diamond
shape "${G}7.png" -fill '#20A020' -draw 'rectangle 6,2 9,13' -draw 'rectangle 2,6 13,9' # plus
shape "${G}8.png" -fill '#D01818' -draw 'rectangle 2,6 13,9'                             # minus
shape "${G}9.png" -stroke '#D01818' -strokewidth 3 -draw 'line 3,3 12,12' -draw 'line 12,3 3,12' # cross
shape "${G}10.png" -fill none -stroke '#208020' -strokewidth 3 -draw 'polyline 2,8 6,12 14,3' # check mark
# Arrows
shape "${G}11.png" -fill '#2050B0' -draw 'polygon 1,6 8,6 8,2 14,7.5 8,13 8,9 1,9'     # right
shape "${G}12.png" -fill '#2050B0' -draw 'polygon 14,6 7,6 7,2 1,7.5 7,13 7,9 14,9'    # left
shape "${G}13.png" -fill '#2050B0' -draw 'polygon 6,14 6,7 2,7 7.5,1 13,7 9,7 9,14'    # up
shape "${G}14.png" -fill '#2050B0' -draw 'polygon 6,1 6,8 2,8 7.5,14 13,8 9,8 9,1'     # down
# Letters and digits
sym "${G}15.png" '#000080' 'A' 15 "$SANSB"
sym "${G}16.png" '#000080' 'B' 15 "$SANSB"
sym "${G}17.png" '#000080' 'C' 15 "$SANSB"
sym "${G}18.png" '#000080' 'D' 15 "$SANSB"
sym "${G}19.png" '#800000' '1' 15 "$SANSB"
sym "${G}20.png" '#800000' '2' 15 "$SANSB"
sym "${G}21.png" '#800000' '3' 15 "$SANSB"
sym "${G}22.png" '#0060C0' '?' 16 "$SANSB"
sym "${G}23.png" '#E06000' '!' 16 "$SANSB"
sym "${G}24.png" '#006060' '@' 14 "$SANSB"
sym "${G}25.png" '#006060' '#' 14 "$SANSB"
sym "${G}26.png" '#006060' '&' 15 "$SANSB"
# Markup signs
shape "${G}27.png" -fill none -stroke '#000080' -strokewidth 2 -draw 'polyline 5,4 1,8 5,12' \
    -draw 'polyline 10,4 14,8 10,12'                                                        # < >
shape "${G}28.png" -fill none -stroke '#000080' -strokewidth 1 -draw 'polyline 4,4 1,8 4,12' \
    -draw 'polyline 11,4 14,8 11,12' -stroke '#800000' -draw 'line 9,2 6,14'             # </>
shape "${G}29.png" -fill '#404040' -draw 'circle 4,5 4,7.5' -draw 'circle 11,5 11,7.5' \
    -draw 'polygon 5.5,6 6,9 2,13' -draw 'polygon 12.5,6 13,9 9,13'                      # quotes
sym "${G}30.png" '#800080' '{}' 13 "$MONOB"
# Pictograms
shape "${G}31.png" -fill white -stroke '#404040' -draw 'polygon 3,1 10,1 13,4 13,14 3,14' \
    -draw 'line 10,1 10,4' -draw 'line 10,4 13,4' -stroke '#8080A0' \
    -draw 'line 5,7 11,7' -draw 'line 5,9 11,9' -draw 'line 5,11 9,11'                     # page
shape "${G}32.png" -fill '#E8C040' -stroke '#806010' -draw 'polygon 1,3 6,3 7,5 14,5 14,13 1,13' \
    -draw 'line 1,6 14,6'                                                                   # folder
shape "${G}33.png" -fill '#B0D8FF' -stroke '#404040' -draw 'rectangle 1,2 14,13' \
    -stroke none -fill '#208020' -draw 'polygon 2,12 6,6 9,10 11,8 13,12' \
    -fill '#F0C000' -draw 'circle 11,5 12,6'                                                # picture
shape "${G}34.png" -fill '#FFFFF0' -stroke '#404040' -draw 'rectangle 1,3 14,12' \
    -fill none -draw 'polyline 1,3 7.5,9 14,3'                                            # envelope
shape "${G}35.png" -fill '#60A0E0' -stroke '#104080' -draw 'circle 7.5,7.5 7.5,1' \
    -fill none -draw 'ellipse 7.5,7.5 3,6.5 0,360' -draw 'line 1,7.5 14,7.5' \
    -draw 'line 2,4.5 13,4.5' -draw 'line 2,10.5 13,10.5'                                   # globe
shape "${G}36.png" -fill '#D05020' -stroke '#602010' -draw 'polygon 7.5,1 15,8 0,8' \
    -fill '#F0E0C0' -draw 'rectangle 2,8 13,14' -fill '#805020' -draw 'rectangle 6,10 9,14' # house
shape "${G}37.png" -fill '#D0E8FF' -stroke '#303030' -strokewidth 2 -draw 'circle 6,6 6,2' \
    -strokewidth 3 -draw 'line 9,9 14,14'                                                   # magnifier
shape "${G}38.png" -fill '#F0B030' -stroke '#604000' -draw 'polygon 11,1 14,4 5,13 2,10' \
    -fill '#F0D0A0' -draw 'polygon 2,10 5,13 1,14' -fill '#E080A0' -draw 'polygon 11,1 14,4 15,3 12,0' # pencil
shape "${G}39.png" -fill white -stroke '#303030' -draw 'circle 7.5,7.5 7.5,1' \
    -draw 'line 7.5,7.5 7.5,3' -draw 'line 7.5,7.5 11,7.5'                                  # clock
shape "${G}40.png" -fill '#E0B000' -stroke '#705000' \
    -draw 'path "M 3,12 L 4,6 Q 7.5,0 11,6 L 12,12 Z"' -draw 'line 2,12 13,12' \
    -fill '#705000' -draw 'circle 7.5,13.5 7.5,14.5'                                        # bell
sym "${G}41.png" '#C02020' '⚑' 16                                   # flag
shape "${G}42.png" -fill none -stroke '#505050' -strokewidth 2 -draw 'arc 4,1 11,11 180,360' \
    -draw 'line 4,6 4,8' -draw 'line 11,6 11,8' -strokewidth 1 -fill '#E0B000' -stroke '#705000' \
    -draw 'rectangle 2,7 13,14' -fill '#705000' -draw 'rectangle 7,9 8,12'                 # lock
shape "${G}43.png" -fill none -stroke '#A07000' -strokewidth 2 -draw 'circle 4.5,7.5 4.5,4.5' \
    -draw 'line 7,7.5 14,7.5' -draw 'line 12,7.5 12,11' -draw 'line 14,7.5 14,10'          # key
shape "${G}44.png" -fill '#F0D020' -stroke '#705000' -draw 'circle 7.5,7.5 7.5,1' \
    -fill '#303030' -stroke none -draw 'rectangle 5,5 6,6' -draw 'rectangle 9,5 10,6' \
    -fill none -stroke '#303030' -draw 'arc 4,6 11,12 20,160'                               # smiley
sym "${G}45.png" '#000000' '♪' 16                                   # music note
shape "${G}46.png" -fill '#FFE040' -stroke '#806000' -draw 'circle 7.5,6 7.5,1' \
    -fill '#909090' -stroke '#505050' -draw 'rectangle 5,10 10,14' -draw 'line 5,12 10,12' # light bulb
shape "${G}47.png" -fill '#303030' -draw 'rectangle 1,2 14,3' -draw 'rectangle 1,6 14,7' \
    -draw 'rectangle 1,10 14,11' -draw 'rectangle 1,14 9,15'                                # text lines
shape "${G}48.png" -fill '#000080' -draw 'rectangle 1,2 3,4' -draw 'rectangle 1,7 3,9' \
    -draw 'rectangle 1,12 3,14' -fill '#404040' -draw 'rectangle 6,3 14,3' \
    -draw 'rectangle 6,8 14,8' -draw 'rectangle 6,13 14,13'                                 # bullet list
save "${G}49.png" -font "$SANSB" -pointsize 6 -fill '#000080' \
    -annotate +0+6 '1' -annotate +0+11 '2' -annotate +0+16 '3' +antialias -fill '#404040' \
    -draw 'rectangle 6,3 14,3' -draw 'rectangle 6,8 14,8' -draw 'rectangle 6,13 14,13'     # numbered list
shape "${G}50.png" -fill white -stroke '#404040' -draw 'rectangle 1,2 14,13' \
    -draw 'line 1,6 14,6' -draw 'line 1,9 14,9' -draw 'line 5,2 5,13' -draw 'line 10,2 10,13' # table grid
shape "${G}51.png" -fill '#F0C000' -stroke '#806000' -draw 'polygon 9,0 3,9 7,9 5,15 13,6 9,6 11,0' # lightning

# ---- Built-in speedbar buttons ----
S="$speedbar/spd"
sym "${S}Bold.png" '#000000' 'B' 15 "$SERIFB"
sym "${S}Italics.png" '#000000' 'I' 15 "$SERIFBI"
save "${S}Underline.png" -font "$SERIFB" -pointsize 13 -fill '#000000' -gravity north \
    -annotate +0-1 'U' +antialias -draw 'rectangle 3,14 12,14'
sym "${S}Paragraph.png" '#000000' '¶' 15 "$SANSB"
shape "${S}Center.png" -fill '#303030' -draw 'rectangle 1,2 14,3' -draw 'rectangle 4,5 11,6' \
    -draw 'rectangle 1,8 14,9' -draw 'rectangle 4,11 11,12' -draw 'rectangle 2,14 13,14'
shape "${S}RightJustify.png" -fill '#303030' -draw 'rectangle 1,2 14,3' -draw 'rectangle 6,5 14,6' \
    -draw 'rectangle 3,8 14,9' -draw 'rectangle 8,11 14,12' -draw 'rectangle 4,14 14,14'
save "${S}Email.png" +antialias -fill '#FFFFF0' -stroke '#404040' -draw 'rectangle 0,2 13,11' \
    -fill none -draw 'polyline 0,2 6.5,8 13,2' -stroke none -antialias -font "$SANSB" -pointsize 9 \
    -fill '#0040C0' -gravity southeast -annotate +0-1 '@'
# Quick Start: a new page with a star
shape "${S}QuickStart.png" -fill white -stroke '#404040' -draw 'polygon 1,1 8,1 11,4 11,15 1,15' \
    -stroke '#8080A0' -draw 'line 3,8 8,8' -draw 'line 3,10 8,10' -draw 'line 3,12 8,12' \
    -stroke '#806000' -fill '#F0C000' -draw 'polygon 12,0 13,3 16,3 13.5,5 14.5,8 12,6 9.5,8 10.5,5 8,3 11,3'
# Body: a page with a tinted background
shape "${S}Body.png" -fill '#C0E0FF' -stroke '#404040' -draw 'polygon 2,1 10,1 13,4 13,14 2,14' \
    -draw 'line 10,1 10,4' -draw 'line 10,4 13,4' -stroke '#000080' \
    -draw 'line 4,7 11,7' -draw 'line 4,9 11,9' -draw 'line 4,11 9,11'
sym "${S}QuickAnchor.png" '#006000' '⚓' 16
shape "${S}QuickImage.png" -fill '#B0D8FF' -stroke '#404040' -draw 'rectangle 1,2 14,13' \
    -stroke none -fill '#208020' -draw 'polygon 2,12 6,6 9,10 11,8 13,12' \
    -fill '#F0C000' -draw 'circle 11,5 12,6'
shape "${S}QuickRule.png" -fill '#808080' -draw 'rectangle 0,6 15,7' -fill white -draw 'rectangle 0,8 15,9' \
    -fill '#404040' -draw 'rectangle 3,2 10,3' -draw 'rectangle 3,12 12,13'
# Comment: a speech bubble with "!"
save "${S}Comment.png" +antialias -fill '#FFFFE0' -stroke '#606060' -draw 'rectangle 1,1 14,10' \
    -draw 'polygon 4,10 4,14 8,10' -stroke none -draw 'rectangle 5,10 7,10' \
    -fill '#808080' -draw 'rectangle 3,4 12,4' -draw 'rectangle 3,7 10,7'
save "${S}QuickFont.png" -font "$SERIFB" -pointsize 14 -fill '#000080' -gravity center -annotate -2+0 'A' \
    -font "$SERIFBI" -pointsize 9 -fill '#800000' -gravity southeast -annotate +0+0 'a'
save "${S}BaseFont.png" -font "$SANSB" -pointsize 12 -fill '#000000' -gravity north -annotate +0-1 'A' \
    +antialias -fill '#0040C0' -draw 'rectangle 1,13 14,14'
save "${S}FontPlus.png" -font "$SANSB" -pointsize 13 -fill '#000000' -gravity southwest -annotate +0+0 'A' \
    +antialias -fill '#108010' -draw 'rectangle 12,0 13,5' -draw 'rectangle 10,2 15,3'
save "${S}FontMinus.png" -font "$SANSB" -pointsize 10 -fill '#000000' -gravity southwest -annotate +1+0 'A' \
    +antialias -fill '#C01010' -draw 'rectangle 10,2 15,3'
# Quick Table: a grid whose top left cells are picked
shape "${S}QuickTable.png" -fill white -stroke '#404040' -draw 'rectangle 1,1 14,14' \
    -stroke none -fill '#3070D0' -draw 'rectangle 2,2 9,9' -stroke '#404040' \
    -draw 'line 1,5.5 14,5.5' -draw 'line 1,10 14,10' -draw 'line 5.5,1 5.5,14' -draw 'line 10,1 10,14'
# Wizards: the grid or the frame layout with a magic wand
shape "${S}TableWizard.png" -fill white -stroke '#404040' -draw 'rectangle 0,3 11,14' \
    -draw 'line 0,7 11,7' -draw 'line 0,11 11,11' -draw 'line 4,3 4,14' -draw 'line 8,3 8,14' \
    -stroke '#603000' -strokewidth 2 -draw 'line 9,9 14,4' -stroke none -fill '#F0C000' \
    -draw 'polygon 14,0 15,3 13,3' -draw 'rectangle 12,1 15,2'
shape "${S}FrameWizard.png" -fill '#E0E0F0' -stroke '#404040' -draw 'rectangle 0,3 11,14' \
    -draw 'line 4,3 4,14' -draw 'line 4,7 11,7' \
    -stroke '#603000' -strokewidth 2 -draw 'line 9,9 14,4' -stroke none -fill '#F0C000' \
    -draw 'polygon 14,0 15,3 13,3' -draw 'rectangle 12,1 15,2'
shape "${S}QuickList.png" -fill '#000080' -draw 'circle 2,3 3,3' -draw 'circle 2,8 3,8' \
    -draw 'circle 2,13 3,13' -fill '#404040' -draw 'rectangle 6,3 14,3' \
    -draw 'rectangle 6,8 14,8' -draw 'rectangle 6,13 14,13'
# Definition list: terms with indented definitions
shape "${S}DefList.png" -fill '#000080' -draw 'rectangle 1,1 9,2' -draw 'rectangle 1,8 10,9' \
    -fill '#606060' -draw 'rectangle 5,4 14,4' -draw 'rectangle 5,6 12,6' \
    -draw 'rectangle 5,11 14,11' -draw 'rectangle 5,13 11,13'
# Form action: a form with a field and a button
shape "${S}FormAction.png" -fill '#F0F0F0' -stroke '#404040' -draw 'rectangle 0,1 15,14' \
    -fill white -draw 'rectangle 2,3 13,6' -fill '#C0C0C0' -draw 'rectangle 7,9 13,12'
# Form element: a ticked check box
shape "${S}FormElement.png" -fill white -stroke '#404040' -draw 'rectangle 1,3 11,13' \
    -stroke '#108010' -strokewidth 2 -fill none -draw 'polyline 3,8 6,11 14,2'
# Image map: a picture with a marked hot spot
shape "${S}ImageMap.png" -fill '#B0D8FF' -stroke '#404040' -draw 'rectangle 0,1 15,14' \
    -stroke none -fill '#208020' -draw 'polygon 1,13 5,7 8,11 10,9 14,13' \
    -fill none -stroke '#C01010' -draw 'rectangle 3,3 8,8'
save "${S}Script.png" -font "$MONOB" -pointsize 12 -fill '#800000' -gravity center -annotate +0+0 '{}'
# Configure custom buttons: a cog wheel
shape "${S}Customize.png" -fill '#707070' -draw 'rectangle 6,0 9,15' -draw 'rectangle 0,6 15,9' \
    -draw 'polygon 1,3 3,1 14,12 12,14' -draw 'polygon 12,1 14,3 3,14 1,12' \
    -stroke '#404040' -draw 'circle 7.5,7.5 7.5,2.5' -fill '#E0E0E0' -draw 'circle 7.5,7.5 7.5,5.5'

# ---- Main toolbar buttons ----
T="$toolbar/spd"
# New: a blank page with a folded corner
shape "${T}New.png" -fill white -stroke '#404040' -draw 'polygon 2,0 9,0 13,4 13,15 2,15' -fill none -draw 'polyline 9,0 9,4 13,4'
# Open: an open folder
shape "${T}Open.png" -fill '#E0B040' -stroke '#806010' -draw 'polygon 0,3 5,3 6,5 13,5 13,14 0,14' \
    -fill '#F8D870' -draw 'polygon 2,8 15,8 13,14 0,14'
# Save: a floppy disk
shape "${T}Save.png" -fill '#3060B0' -stroke '#102850' -draw 'rectangle 1,1 14,14' -stroke none \
    -fill white -draw 'rectangle 4,2 11,6' -fill '#C0C0C0' -draw 'rectangle 4,9 11,14' -fill '#3060B0' -draw 'rectangle 9,10 10,13'
# Projects: a folder holding two pages
shape "${T}Projects.png" -fill '#E0B040' -stroke '#806010' -draw 'polygon 0,4 5,4 6,6 15,6 15,15 0,15' \
    -fill white -stroke '#404040' -draw 'rectangle 3,1 8,9' -draw 'rectangle 7,2 12,10'
# Spell check: "abc" over a check mark
save "${T}SpellCheck.png" -font "$SANSB" -pointsize 7 -fill '#000080' -gravity north -annotate +0-1 'abc' \
    +antialias -fill none -stroke '#108010' -strokewidth 2 -draw 'polyline 3,10 6,13 13,6'
# Find: a magnifying glass
shape "${T}Find.png" -fill '#D8F0FF' -stroke '#404040' -strokewidth 2 -draw 'circle 6,6 6,1' \
    -stroke '#604020' -strokewidth 3 -draw 'line 10,10 14,14'
# Replace: A over B with an arrow between
save "${T}Replace.png" -font "$SANSB" -pointsize 8 -fill '#000080' -gravity northwest -annotate +0-1 'A' \
    -fill '#800000' -gravity southeast -annotate +0-1 'B' +antialias -fill '#108010' -draw 'polygon 9,2 14,2 14,0 16,3 14,6 14,4 9,4'
# Extended replace: two pages with a replace arrow
shape "${T}ExtReplace.png" -fill white -stroke '#404040' -draw 'rectangle 0,0 7,10' -draw 'rectangle 8,5 15,15' \
    -stroke none -fill '#108010' -draw 'polygon 3,12 6,12 6,10 9,13 6,16 6,14 3,14'
# Rulers: a ruler with marks
shape "${T}Rulers.png" -fill '#F0E0A0' -stroke '#806010' -draw 'rectangle 0,5 15,11' -stroke '#404040' \
    -draw 'line 2,5 2,8' -draw 'line 5,5 5,7' -draw 'line 8,5 8,9' -draw 'line 11,5 11,7' -draw 'line 14,5 14,8'
# Full screen: four corner arrows
shape "${T}FullScreen.png" -fill none -stroke '#404040' -draw 'rectangle 3,3 12,12' -stroke none -fill '#2050B0' \
    -draw 'polygon 0,0 5,0 0,5' -draw 'polygon 15,0 10,0 15,5' -draw 'polygon 0,15 5,15 0,10' -draw 'polygon 15,15 10,15 15,10'
# External browser: a globe
shape "${T}ExternalBrowser.png" -fill '#80C0FF' -stroke '#204080' -draw 'circle 7.5,7.5 7.5,0.5' -fill none \
    -draw 'ellipse 7.5,7.5 3,7 0,360' -draw 'line 0.5,7.5 14.5,7.5' -draw 'line 2,4 13,4' -draw 'line 2,11 13,11'
# Cut: scissors
shape "${T}Cut.png" -fill none -stroke '#404040' -strokewidth 2 -draw 'circle 4,12 4,14' -draw 'circle 11,12 11,14' \
    -stroke '#606060' -strokewidth 1 -draw 'line 5,10 11,0' -draw 'line 10,10 4,0'
# Copy: two pages
shape "${T}Copy.png" -fill white -stroke '#404040' -draw 'rectangle 1,1 9,11' -fill '#E8F0FF' -draw 'rectangle 6,4 14,14' \
    -stroke '#8080A0' -draw 'line 8,7 12,7' -draw 'line 8,9 12,9' -draw 'line 8,11 12,11'
# Paste: a clipboard with a page
shape "${T}Paste.png" -fill '#C09050' -stroke '#604010' -draw 'rectangle 1,2 12,15' -fill '#C0C0C0' -draw 'rectangle 4,0 9,3' \
    -fill white -stroke '#404040' -draw 'rectangle 6,6 15,15'
# Publish: a page going up to a server
shape "${T}Publish.png" -fill '#D0D0D0' -stroke '#404040' -draw 'rectangle 8,0 15,15' -draw 'line 9,3 14,3' -draw 'line 9,6 14,6' \
    -fill white -draw 'rectangle 0,7 6,15' -stroke none -fill '#108010' -draw 'polygon 1,5 3.5,1 6,5'
# Settings: a check box list
shape "${T}Settings.png" -fill white -stroke '#404040' -draw 'rectangle 0,1 5,6' -draw 'rectangle 0,9 5,14' \
    -stroke '#606060' -draw 'line 8,3 15,3' -draw 'line 8,11 15,11' -stroke '#108010' -strokewidth 2 -fill none -draw 'polyline 1,3 3,5 6,0'
# Undo: a curved arrow to the left
shape "${T}Undo.png" -fill none -stroke '#2050B0' -strokewidth 2 -draw 'arc 3,4 14,14 180,360' -draw 'line 14,9 14,11' \
    -stroke none -fill '#2050B0' -draw 'polygon 0,9 6,9 3,13'
# Indent and unindent: lines with an arrow
shape "${T}Indent.png" -fill '#404040' -draw 'rectangle 6,1 15,2' -draw 'rectangle 6,5 15,6' -draw 'rectangle 6,9 15,10' \
    -draw 'rectangle 0,13 15,14' -fill '#2050B0' -draw 'polygon 0,2 4,5.5 0,9'
shape "${T}Unindent.png" -fill '#404040' -draw 'rectangle 6,1 15,2' -draw 'rectangle 6,5 15,6' -draw 'rectangle 6,9 15,10' \
    -draw 'rectangle 0,13 15,14' -fill '#2050B0' -draw 'polygon 4,2 0,5.5 4,9'
# Show tag selection: a tag in angle brackets
shape "${T}TagSelection.png" -fill none -stroke '#000080' -strokewidth 2 -draw 'polyline 5,3 1,8 5,13' -draw 'polyline 10,3 14,8 10,13'
# Document list: a panel with a folder tree
shape "${T}DocList.png" -fill white -stroke '#404040' -draw 'rectangle 0,0 15,15' -fill '#E0E0E0' -draw 'rectangle 0,0 5,15' \
    -stroke none -fill '#E0B040' -draw 'rectangle 1,2 4,4' -draw 'rectangle 2,7 4,9' -draw 'rectangle 2,12 4,14'
# Help: a question mark in a circle
save "${T}Help.png" +antialias -fill '#2050B0' -draw 'circle 7.5,7.5 7.5,0.5' -antialias -font "$SANSB" -pointsize 12 \
    -fill white -gravity center -annotate +0+0 '?'

echo "Drew $(ls "$glyphs" | wc -l) glyphs, $(ls "$speedbar" | wc -l) speedbar images and $(ls "$toolbar" | wc -l) toolbar images."
