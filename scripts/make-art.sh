#!/usr/bin/env bash
# Regenerates the pictures stored with the forms (art/): backgrounds, button
# faces, feedback faces, the accent-help page, the program icon, and art.qrc.
# The results are committed; run this only to change the artwork.
#
# Needs: imagemagick, fonts-dejavu-core.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
ART="$ROOT/art"
POLICES=/usr/share/fonts/truetype/dejavu
GRAS="$POLICES/DejaVuSans-Bold.ttf"
NORMAL="$POLICES/DejaVuSans.ttf"
ETROIT="$POLICES/DejaVuSansCondensed-Bold.ttf"

# Another "convert" may stand first on PATH; the packaged ImageMagick is meant.
IM=convert
[ -x /usr/bin/convert ] && IM=/usr/bin/convert
command -v "$IM" >/dev/null || { echo "Outil manquant : convert (apt-get install imagemagick)" >&2; exit 1; }
for f in "$GRAS" "$NORMAL" "$ETROIT"; do
  [ -f "$f" ] || { echo "Police manquante : $f (fonts-dejavu-core)" >&2; exit 1; }
done
mkdir -p "$ART"

# The palette of the forms: their sky blue, and darker and lighter steps of it.
CIEL='#a6caf0'
CIEL_CLAIR='#dcebfb'
BLEU='#2e6fd0'
BLEU_NUIT='#1f3b6e'
CONTOUR='#5b8fd6'
JAUNE='#ffd23f'

# PNG without time chunks, so that regenerating unchanged art changes no byte.
PNG_OPTIONS=(-strip -define 'png:exclude-chunks=date,time')
# Full-resolution colour in the JPEGs as designed: thin coloured letters stay crisp. Twice and
# four times as large, colour at half the pixels still has the designed resolution, looks the
# same, and decodes about 15 % faster: the backgrounds are decoded at every start.
jpg_options() {
  local echantillons=1x1
  [ "$F" -eq 1 ] || echantillons=2x2
  printf '%s\n' -strip -interlace none -sampling-factor "$echantillons" -quality 90
}

# Every picture of the forms comes at three resolutions: as designed ("name.png"), twice
# ("name@2x.png") and four times ("name@4x.png") as many pixels across, so that it stays sharp
# at every scale the program draws its windows at. F is the resolution being made.
F=1

# sortie NAME: NAME with "@2x" or "@4x" before its extension at the resolution being made.
sortie() {
  if [ "$F" -eq 1 ]; then
    printf '%s' "$ART/$1"
  else
    printf '%s' "$ART/${1%.*}@${F}x.${1##*.}"
  fi
}

# icone OUTPUT SIZE MVG: MVG is drawn in a 256 x 256 space, rendered at
# 1024 x 1024 and reduced, which keeps small icons smooth.
icone() {
  local taille=$(($2 * F))
  "$IM" -size 1024x1024 xc:none -draw "scale 4,4 $3" -filter Lanczos -resize "${taille}x${taille}" \
    "${PNG_OPTIONS[@]}" "PNG32:$(sortie "$1")"
}

# etoile CX CY R COLOUR: a five-pointed star as an MVG polygon.
etoile() {
  awk -v cx="$1" -v cy="$2" -v r="$3" -v c="$4" 'BEGIN {
    pi = atan2(0, -1); s = "";
    for (i = 0; i < 10; i++) {
      rr = (i % 2 == 0) ? r : r * 0.45; a = -pi / 2 + i * pi / 5;
      s = s sprintf(" %.1f,%.1f", cx + rr * cos(a), cy + rr * sin(a));
    }
    printf "fill \x27%s\x27 stroke none polygon%s\n", c, s;
  }'
}

# fleche_ronde CX CY R FROM TO WIDTH COLOUR: an arc (angles in degrees,
# clockwise on screen) ending in an arrowhead that points along the turn.
fleche_ronde() {
  awk -v cx="$1" -v cy="$2" -v r="$3" -v a0="$4" -v a1="$5" -v w="$6" -v c="$7" 'BEGIN {
    pi = atan2(0, -1); d = pi / 180;
    x0 = cx + r * cos(a0 * d); y0 = cy + r * sin(a0 * d);
    x1 = cx + r * cos(a1 * d); y1 = cy + r * sin(a1 * d);
    # Straight steps rather than an arc command, which ImageMagick strokes
    # as a closed figure.
    p = sprintf("M %.1f,%.1f", x0, y0);
    for (a = a0 + 5; a < a1; a += 5) p = p sprintf(" L %.1f,%.1f", cx + r * cos(a * d), cy + r * sin(a * d));
    p = p sprintf(" L %.1f,%.1f", x1, y1);
    printf "push graphic-context fill none stroke \x27%s\x27 stroke-width %g stroke-linecap round stroke-linejoin round\n", c, w;
    printf "path \x27%s\x27 pop graphic-context\n", p;
    tx = -sin(a1 * d); ty = cos(a1 * d); nx = cos(a1 * d); ny = sin(a1 * d);
    h = w * 1.3;
    printf "push graphic-context fill \x27%s\x27 stroke \x27%s\x27 stroke-width 4 stroke-linejoin round\n", c, c;
    printf "polygon %.1f,%.1f %.1f,%.1f %.1f,%.1f pop graphic-context\n", \
      x1 + tx * h * 1.4, y1 + ty * h * 1.4, x1 + nx * h, y1 + ny * h, x1 - nx * h, y1 - ny * h;
  }'
}

# ------------------------------------------------------------ the emblem

# A crescent moon and a feather pen, the program's name in pictures; in the
# 256 space, without background.
embleme() {
  cat <<EOF
push graphic-context
fill '$JAUNE' stroke '#e0a800' stroke-width 6
path 'M 112,34 A 88,88 0 1,0 112,210 A 112,112 0 0,1 112,34 Z'
fill '#ffffff' stroke '$BLEU_NUIT' stroke-width 8 stroke-linejoin round
path 'M 122,206 C 110,130 160,62 232,22 C 240,106 204,176 122,206 Z'
fill none stroke '$BLEU_NUIT' stroke-width 8 stroke-linecap round
path 'M 92,244 Q 160,128 232,22'
stroke '#9db8e6' stroke-width 6
line 170,128 190,122
line 184,92 204,88
line 160,166 180,164
pop graphic-context
EOF
}

icones_programme() {
  local taille fond
  fond="push graphic-context
push defs
push gradient 'nuit' linear 0,8 0,248
stop-color '#5b9be6' 0
stop-color '#1f4f9a' 1
pop gradient
pop defs
fill 'url(#nuit)' stroke '$BLEU_NUIT' stroke-width 6 roundrectangle 10,10 246,246 52,52
pop graphic-context"
  for taille in 16 32 48 64 128 256; do
    icone "icone_$taille.png" "$taille" "$fond
push graphic-context translate 20,18 scale 0.84,0.84 $(embleme) pop graphic-context"
  done
}

# ------------------------------------------------------------ button faces

faces_boutons() {
  # Listen: a loudspeaker sending sound waves, on a white disc.
  icone ecoute.png 56 "
fill '#ffffff' stroke '$CONTOUR' stroke-width 8 circle 128,128 128,8
stroke '$BLEU_NUIT' stroke-width 10 stroke-linejoin round fill '$BLEU'
polygon 36,100 80,100 138,52 138,204 80,156 36,156
fill none stroke '#ff8c1a' stroke-width 16 stroke-linecap round
path 'M 164,102 A 38,38 0 0,1 164,154'
path 'M 184,78 A 70,70 0 0,1 184,178'
path 'M 204,56 A 100,100 0 0,1 204,200'"

  # Listen slowly: a tortoise under the sound waves, on a white disc.
  icone tortue.png 44 "
fill '#ffffff' stroke '$CONTOUR' stroke-width 8 circle 128,128 128,8
stroke '$BLEU_NUIT' stroke-width 8 stroke-linejoin round fill '#9ad48f'
polygon 30,176 52,166 54,184
roundrectangle 62,168 92,206 12,12
roundrectangle 146,168 176,206 12,12
circle 196,150 196,122
fill '$BLEU_NUIT' stroke none circle 204,144 204,136
stroke '$BLEU_NUIT' stroke-width 8 fill '#3f9a4a'
path 'M 40,178 C 40,84 208,84 208,178 Z'
fill none stroke '#2a6e33' stroke-width 7 stroke-linecap round
path 'M 124,108 L 124,176'
path 'M 82,118 Q 100,146 84,176'
path 'M 166,118 Q 148,146 164,176'
line 56,146 192,146
fill none stroke '#ff8c1a' stroke-width 14 stroke-linecap round
path 'M 178,64 A 30,30 0 0,1 204,88'
path 'M 188,38 A 60,60 0 0,1 230,80'"

  # Written: a pencil with a green tick, on a white disc.
  icone ecrit.png 56 "
fill '#ffffff' stroke '$CONTOUR' stroke-width 8 circle 128,128 128,8
push graphic-context translate 138,112 rotate 135
stroke '#6b4a10' stroke-width 7 stroke-linejoin round
fill '#ffcc33' rectangle -86,-20 54,20
fill '#f5d7a1' polygon 54,-20 100,0 54,20
fill '#3a3a3a' polygon 86,-6 100,0 86,6
fill '#a0a8b8' rectangle -100,-20 -86,20
fill '#f59ab0' roundrectangle -126,-20 -100,20 8,8
stroke '#e0a800' stroke-width 5 line -80,0 48,0
pop graphic-context
fill none stroke-linecap round stroke-linejoin round
stroke '#ffffff' stroke-width 44 path 'M 126,182 L 158,212 L 222,136'
stroke '#1f9a45' stroke-width 26 path 'M 126,182 L 158,212 L 222,136'"

  # Stop: the road sign every child knows.
  local octogone
  octogone="$(awk 'BEGIN { pi = atan2(0, -1); s = "";
    for (i = 0; i < 8; i++) { a = pi / 8 + i * pi / 4; s = s sprintf(" %.1f,%.1f", 128 + 120 * cos(a), 128 + 120 * sin(a)); }
    print s }')"
  icone stop.png 36 "
stroke '#7a0d10' stroke-width 8 stroke-linejoin round fill '#ffffff' polygon $octogone
push graphic-context translate 128,128 scale 0.86,0.86 translate -128,-128
stroke none fill '#e0242b' polygon $octogone
pop graphic-context
stroke none fill '#ffffff' font '$GRAS' font-size 70 text-anchor middle text 128,153 'STOP'"

  # Accent help: a keyboard key bearing é.
  icone clavier.png 40 "
stroke '#4a5266' stroke-width 10 stroke-linejoin round fill '#b9c2d0'
roundrectangle 14,20 242,240 40,40
stroke '#8a94a6' stroke-width 6 fill '#ffffff'
roundrectangle 40,32 216,198 28,28
stroke none fill '$BLEU_NUIT' font '$GRAS' font-size 168 text-anchor middle text 128,176 'é'"

  # New pupil: a person with a green plus.
  icone nouvel_eleve.png 22 "
stroke '$BLEU_NUIT' stroke-width 14 stroke-linejoin round fill '$BLEU'
circle 104,72 104,20
path 'M 20,238 Q 20,132 104,132 Q 188,132 188,238 Z'
stroke '#ffffff' stroke-width 10 fill '#1f9a45' circle 190,190 190,126
stroke '#ffffff' stroke-width 22 stroke-linecap butt
line 190,154 190,226
line 154,190 226,190"

  # Report: a sheet with written lines and a tick.
  icone bilan.png 22 "
stroke '$BLEU_NUIT' stroke-width 16 stroke-linejoin round fill '#ffffff'
roundrectangle 40,12 216,244 18,18
stroke '$BLEU' stroke-width 18 stroke-linecap round
line 76,62 180,62
line 76,112 180,112
line 76,162 128,162
stroke '#1f9a45' stroke-width 20 stroke-linejoin round fill none
path 'M 140,186 L 160,206 L 196,160'"

  # Teacher's access: a graduation cap.
  icone superviseur.png 36 "
stroke '#10182c' stroke-width 8 stroke-linejoin round fill '#33436a'
path 'M 60,112 L 60,178 Q 128,222 196,178 L 196,112 Z'
fill '#1f2a44' polygon 128,36 248,92 128,148 8,92
fill none stroke '$JAUNE' stroke-width 10 stroke-linecap round
path 'M 128,92 L 222,112 L 222,186'
stroke '#c98a00' stroke-width 6 fill '$JAUNE'
path 'M 222,180 L 238,228 L 206,228 Z'
stroke none fill '$JAUNE' circle 128,92 128,80"

  # Up to the parent folder: a folder with a green arrow.
  icone remonter.png 22 "
stroke '#9a6a00' stroke-width 14 stroke-linejoin round fill '#ffcf4a'
path 'M 12,52 L 96,52 L 120,80 L 244,80 L 244,232 L 12,232 Z'
stroke '#0f5a26' stroke-width 10 fill '#22a045'
polygon 128,86 206,164 160,164 160,220 96,220 96,164 50,164"
}

# ------------------------------------------------------------ report form

icones_bilans() {
  icone supprimer.png 32 "
stroke '#3d4a5c' stroke-width 12 stroke-linejoin round fill '#b8c2d0'
roundrectangle 100,14 156,44 10,10
fill '#8e9bb0' roundrectangle 30,40 226,72 10,10
fill '#b8c2d0' path 'M 52,84 L 204,84 L 186,240 L 70,240 Z'
stroke '#5d6b80' stroke-width 12 stroke-linecap round
line 98,112 104,212
line 128,112 128,212
line 158,112 152,212"

  icone magneto.png 32 "
fill none stroke '#3d4a5c' stroke-width 16 stroke-linecap round
path 'M 56,118 Q 56,196 128,196 Q 200,196 200,118'
line 128,196 128,236
line 84,238 172,238
stroke '#2a3344' stroke-width 10 fill '#6b778c'
roundrectangle 88,14 168,160 40,40
stroke '#c4ccd8' stroke-width 8
line 100,60 156,60
line 100,88 156,88
line 100,116 156,116
stroke '#ffffff' stroke-width 6 fill '#e0242b' circle 214,42 214,14"

  icone imprimer.png 32 "
stroke '#3d4a5c' stroke-width 10 stroke-linejoin round fill '#ffffff'
rectangle 66,18 190,104
fill '#8e9bb0' roundrectangle 18,88 238,202 22,22
fill '#ffffff' rectangle 66,160 190,246
stroke '$BLEU' stroke-width 10 stroke-linecap round
line 88,188 168,188
line 88,218 146,218
stroke none fill '#1fbf4f' circle 206,118 206,104"

  icone rafraichir.png 32 "
$(fleche_ronde 128 128 86 200 330 26 '#1f9a45')
$(fleche_ronde 128 128 86 20 150 26 '#1f9a45')"

  icone banque.png 32 "
stroke '#173a73' stroke-width 10 fill '#3a8ee6' circle 128,128 128,12
stroke none fill '#4cb05a'
path 'M 60,70 Q 90,40 132,52 Q 150,80 120,96 Q 112,128 84,124 Q 60,110 60,70 Z'
path 'M 150,120 Q 196,112 214,146 Q 200,196 160,214 Q 146,180 150,120 Z'
path 'M 52,150 Q 80,150 96,180 Q 88,206 68,196 Q 50,176 52,150 Z'
push graphic-context fill none stroke '#ffffff' stroke-width 5 stroke-opacity 0.8
ellipse 128,128 52,116 0,360
line 14,128 242,128
path 'M 30,72 Q 128,96 226,72'
path 'M 30,184 Q 128,160 226,184' pop graphic-context"

  icone classe.png 32 "
stroke '#3d4a5c' stroke-width 12 stroke-linecap round
line 22,232 234,232
stroke '#173a73' stroke-width 10 stroke-linejoin round
fill '#e0602b' rectangle 36,150 84,226
fill '#ffd23f' rectangle 104,96 152,226
fill '#1fbf4f' rectangle 172,36 220,226"

  icone aide.png 32 "
stroke '#173a73' stroke-width 10 fill '$BLEU' circle 128,128 128,10
stroke none fill '#ffffff' font '$GRAS' font-size 180 text-anchor middle text 128,192 '?'"

  icone apropos.png 32 "
stroke '#0d5c54' stroke-width 10 fill '#1f9c8f' circle 128,128 128,10
stroke none fill '#ffffff' circle 128,62 128,40
roundrectangle 108,98 148,206 10,10
rectangle 92,98 148,118
roundrectangle 88,190 168,212 6,6"
}

# ------------------------------------------------------------ feedback faces

visages() {
  local tete="stroke '#b37400' stroke-width 10 fill '$JAUNE' circle 128,128 128,8
stroke none fill '#3b2a10'
ellipse 90,96 14,22 0,360
ellipse 166,96 14,22 0,360"
  icone bon.png 32 "$tete
stroke '#3b2a10' stroke-width 8 stroke-linejoin round fill '#7a1f1f'
path 'M 60,140 Q 128,148 196,140 Q 188,218 128,218 Q 68,218 60,140 Z'
stroke none fill '#ff7a8a' path 'M 92,196 Q 128,176 164,196 Q 150,214 128,214 Q 106,214 92,196 Z'
fill '#ffffff' path 'M 70,146 Q 128,152 186,146 L 182,162 Q 128,168 74,162 Z'"
  icone pasbon.png 32 "$tete
fill none stroke '#3b2a10' stroke-width 14 stroke-linecap round
path 'M 76,200 Q 128,148 180,200'
stroke-width 10
line 62,70 104,54
line 194,70 152,54"
}

# ------------------------------------------------------------ exercise screen

# The exercise form (628 x 429) lays its controls and transparent hint areas
# over this picture, so these places must match the form's geometry:
#   title band        0,0 - 628,40; folder-name box 170,6 - 540,34;
#                     stop button place 584,0 - 624,40
#   picture frame     8,48 - 176,216 (the 160 x 160 picture at 12,52)
#   companion text    184,48 - 448,216
#   answer band       8,296 - 400,354 (answer field about 14,302 - 394,348);
#                     accent-help button place 406,305 - 446,345
#   model answer      8,364 - 400,418
#   right panel       456,48 - 620,420; six boxes, box i (0..5) at
#                     y = 54 + 61 i: label on the first 18 px, value box
#                     466,(y+20) - 610,(y+54)
#   The listen and submit buttons (64 x 64) sit between picture and answer
#   band: y 222 - 290.
fond_exercice() {
  local etiquettes=("Points en jeu" "Mon score" "Score maximum" "Réussis au 1er essai" \
    "Items de la partie" "Temps")
  local panneau="" i y
  for i in 0 1 2 3 4 5; do
    y=$((54 + 61 * i))
    panneau+="fill '$BLEU_NUIT' stroke none font '$ETROIT' font-size 14 text-anchor middle
text 538,$((y + 14)) \"${etiquettes[$i]}\"
fill '#ffffff' stroke '$CONTOUR' stroke-width 1.5
roundrectangle 466,$((y + 20)) 610,$((y + 54)) 8,8
"
  done
  "$IM" -size $((628 * F))x$((429 * F)) xc:"$CIEL" -draw "scale $F,$F
push graphic-context
push defs
push gradient 'fond' linear 0,40 0,429
stop-color '#c2dcf6' 0
stop-color '$CIEL' 1
pop gradient
push gradient 'bandeau' linear 0,0 0,40
stop-color '#5b95dc' 0
stop-color '#3f7fcf' 1
pop gradient
pop defs
pop graphic-context
push graphic-context fill 'url(#fond)' rectangle 0,40 628,429 pop graphic-context
push graphic-context fill 'url(#bandeau)' rectangle 0,0 628,40 pop graphic-context
push graphic-context stroke '#ffffff' stroke-width 2 stroke-opacity 0.8 line 0,40 628,40 pop graphic-context
push graphic-context translate 6,4 scale 0.125,0.125 $(embleme) pop graphic-context
fill '#ffffff' font '$GRAS' font-size 19 text 44,27 'Plumelune'
$(etoile 556 12 4 '#ffe680')
$(etoile 568 29 3 '#ffe680')
push graphic-context fill '#ffffff' fill-opacity 0.92 stroke '#2d5ea8' stroke-width 1.5
roundrectangle 170,6 540,34 12,12 pop graphic-context
fill '#ffffff' stroke '$CONTOUR' stroke-width 2 roundrectangle 8,48 176,216 10,10
fill '#f4f9fe' stroke '$CONTOUR' stroke-width 1.5 roundrectangle 184,48 448,216 10,10
fill '#ffffff' stroke '$CONTOUR' stroke-width 2.5 roundrectangle 8,296 400,354 14,14
push graphic-context fill '#eaf3fc' stroke '$CONTOUR' stroke-width 1 stroke-dasharray 4,3 roundrectangle 8,364 400,418 10,10 pop graphic-context
push graphic-context fill '#ffffff' fill-opacity 0.45 stroke '$CONTOUR' stroke-width 2 roundrectangle 456,48 620,420 14,14 pop graphic-context
$panneau
$(etoile 424 398 6 '#ffffff')
$(etoile 440 376 4 '#eef6ff')
" $(jpg_options) "JPG:$(sortie fond_exercice.jpg)"
}

# ------------------------------------------------------------ start form

# Two light frames, one for each step of the start form; the form writes the
# step titles itself at the top left of each frame.
fond_depart() {
  local cadre=""
  local haut
  for haut in 6 216; do
    cadre+="fill '#f6faff' stroke '$CIEL' stroke-width 2 roundrectangle 6,$haut 290,$((haut + 202)) 12,12
fill '$CIEL_CLAIR' stroke none path 'M 7,$((haut + 13)) Q 7,$((haut + 1)) 19,$((haut + 1)) L 277,$((haut + 1)) Q 289,$((haut + 1)) 289,$((haut + 13)) L 289,$((haut + 30)) L 7,$((haut + 30)) Z'
stroke '$CIEL' stroke-width 1 line 7,$((haut + 30)) 289,$((haut + 30))
push graphic-context translate 262,$((haut + 5)) scale 0.085,0.085 $(embleme) pop graphic-context
"
  done
  "$IM" -size $((297 * F))x$((424 * F)) xc:white -draw "scale $F,$F
$cadre
$(etoile 248 14 3 '#f2c200')
$(etoile 252 226 3 '#f2c200')
" $(jpg_options) "JPG:$(sortie fond_depart.jpg)"
}

# ------------------------------------------------------------ accent help

# mvg_chaine TEXT: TEXT quoted for MVG, which has no escapes: a text holding
# a double quote goes between single quotes, any other between double quotes.
mvg_chaine() {
  case "$1" in *'"'*) printf "'%s'" "$1" ;; *) printf '"%s"' "$1" ;; esac
}

# touche X Y W TOP BOTTOM [STYLE]: a key cap 56 px high; STYLE "vif" for the
# key to press, "large" for a key with one centred word.
touche() {
  local x="$1" y="$2" w="$3" haut="$4" bas="$5" style="${6:-}"
  local face='#ffffff' lettre="$BLEU_NUIT"
  case "$style" in vif*) face='#fff07a' lettre='#c8102e' ;; esac
  printf "fill '#8a94a6' stroke none roundrectangle %d,%d %d,%d 9,9\n" "$x" $((y + 5)) $((x + w)) $((y + 61))
  printf "fill '%s' stroke '#4a5266' stroke-width 2.5 roundrectangle %d,%d %d,%d 9,9\n" "$face" "$x" "$y" $((x + w)) $((y + 56))
  if [ "$style" = large ] || [ "$style" = vif-large ]; then
    printf "fill '%s' stroke none font '%s' font-size 20 text-anchor middle text %d,%d %s\n" \
      "$BLEU_NUIT" "$GRAS" $((x + w / 2)) $((y + 36)) "$(mvg_chaine "$haut")"
    return
  fi
  [ -n "$haut" ] && printf "fill '%s' stroke none font '%s' font-size 18 text-anchor start text %d,%d %s\n" \
    "#4a5266" "$NORMAL" $((x + 9)) $((y + 22)) "$(mvg_chaine "$haut")"
  printf "fill '%s' stroke none font '%s' font-size 26 text-anchor start text %d,%d %s\n" \
    "$lettre" "$GRAS" $((x + 9)) $((y + 48)) "$(mvg_chaine "$bas")"
}

# texte X Y SIZE COLOUR TEXT [bold]
texte() {
  local police="$NORMAL"
  [ "${6:-}" = gras ] && police="$GRAS"
  printf "fill '%s' stroke none font '%s' font-size %d text-anchor start text %d,%d %s\n" \
    "$4" "$police" "$3" "$1" "$2" "$(mvg_chaine "$5")"
}

# resultat X Y TEXT: the letter obtained, big and red after an equals sign.
resultat() {
  texte "$1" "$(($2 + 40))" 30 "$BLEU_NUIT" "=" gras
  texte "$(($1 + 30))" "$(($2 + 42))" 40 '#c8102e' "$3" gras
}

aide_clavier() {
  local mvg="" x i
  # The AZERTY number row, left to right: shifted sign on top, plain below.
  local hauts=("" "1" "2" "3" "4" "5" "6" "7" "8" "9" "0" "°")
  local bas=("²" "&" "é" "\"" "'" "(" "-" "è" "_" "ç" "à" ")")
  for i in "${!bas[@]}"; do
    x=$((34 + i * 60))
    case "${bas[$i]}" in é | è | ç | à) mvg+="$(touche "$x" 104 54 "${hauts[$i]}" "${bas[$i]}" vif)"$'\n' ;;
    *) mvg+="$(touche "$x" 104 54 "${hauts[$i]}" "${bas[$i]}")"$'\n' ;;
    esac
  done
  mvg+="$(texte 34 196 22 "$BLEU_NUIT" "Appuie sur la touche, sans Maj : é è ç à")"$'\n'
  mvg+="$(touche 34 210 54 "" "m")"$'\n'
  mvg+="$(touche 94 210 54 "%" "ù" vif)"$'\n'
  mvg+="$(texte 166 248 22 "$BLEU_NUIT" "ù : la touche juste à droite du M")"$'\n'

  # Two keys one after the other: the dead keys.
  mvg+="$(touche 34 324 54 "¨" "^" vif)"$'\n'
  mvg+="$(texte 98 360 22 "$BLEU_NUIT" "puis")"$'\n'
  mvg+="$(touche 150 324 54 "" "e")"$'\n'
  mvg+="$(resultat 218 324 "ê")"$'\n'
  mvg+="$(texte 330 346 21 "$BLEU_NUIT" "La touche ^ est à droite du P.")"$'\n'
  mvg+="$(texte 330 374 21 "$BLEU_NUIT" "Pareil pour â  î  ô  û")"$'\n'

  mvg+="$(touche 34 398 76 "Maj ⇧" "" vif-large)"$'\n'
  mvg+="$(texte 116 434 26 "$BLEU_NUIT" "+" gras)"$'\n'
  mvg+="$(touche 138 398 54 "¨" "^" vif)"$'\n'
  mvg+="$(texte 200 434 22 "$BLEU_NUIT" "puis")"$'\n'
  mvg+="$(touche 252 398 54 "" "e")"$'\n'
  mvg+="$(resultat 318 398 "ë")"$'\n'
  mvg+="$(texte 430 422 21 "$BLEU_NUIT" "Maj + ^ donne le tréma ¨")"$'\n'
  mvg+="$(texte 430 450 21 "$BLEU_NUIT" "Pareil pour ï  ü")"$'\n'

  # The two special cases, side by side.
  mvg+="$(touche 34 510 76 "AltGr" "" vif-large)"$'\n'
  mvg+="$(texte 116 546 26 "$BLEU_NUIT" "+" gras)"$'\n'
  mvg+="$(touche 138 510 54 "" "o")"$'\n'
  mvg+="$(resultat 204 510 "œ")"$'\n'
  mvg+="$(texte 34 598 20 '#4a5266' "comme dans « cœur »")"$'\n'

  mvg+="$(touche 390 510 118 "Verr. Maj" "" vif-large)"$'\n'
  mvg+="$(texte 516 546 22 "$BLEU_NUIT" "puis")"$'\n'
  mvg+="$(touche 568 510 54 "2" "é")"$'\n'
  mvg+="$(resultat 632 510 "É")"$'\n'
  mvg+="$(texte 390 598 20 '#4a5266' "Ensuite, appuie encore sur Verr. Maj.")"$'\n'

  # Twice the window's designed size already: the doubled picture covers every scale.
  [ "$F" -le 2 ] || return 0
  "$IM" -size $((768 * F))x$((622 * F)) xc:'#f4f9fe' -draw "scale $F,$F
fill '$BLEU' stroke none rectangle 0,0 768,60
push graphic-context translate 14,8 scale 0.17,0.17 $(embleme) pop graphic-context
fill '#ffffff' font '$GRAS' font-size 32 text-anchor middle text 404,42 'Comment écrire un accent ?'
$(texte 20 92 26 "$BLEU" "1. Une seule touche" gras)
$(texte 20 310 26 "$BLEU" "2. Deux touches, l'une après l'autre" gras)
stroke '$CIEL' stroke-width 2 line 20,282 748,282 line 20,470 748,470 line 374,482 374,604
$(texte 20 498 24 "$BLEU" "3. AltGr ou Verr. Maj" gras)
$mvg
" $(jpg_options) "JPG:$(sortie aide_clavier.jpg)"
}

# ------------------------------------------------------------ resources

qrc() {
  {
    echo '<!DOCTYPE RCC>'
    echo '<RCC version="1.0">'
    echo '<qresource prefix="/art">'
    (cd "$ART" && LC_ALL=C ls -1 -- *.png *.jpg) | sed 's|.*|  <file>&</file>|'
    echo '</qresource>'
    echo '</RCC>'
  } >"$ART/art.qrc"
}

icones_programme
for F in 1 2 4; do
  faces_boutons
  icones_bilans
  visages
  fond_exercice
  fond_depart
  aide_clavier
done
qrc
echo "Illustrations régénérées dans $ART"
