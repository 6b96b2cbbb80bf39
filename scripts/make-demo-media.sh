#!/usr/bin/env bash
# Regenerates the media of the bundled demo folder: the exercise items (spoken
# by espeak-ng), their companion texts and pictures, the four effect sounds and
# the two default pictures. The results are committed, so the program and its
# tests never need these tools; run this only to change the demo.
#
# Needs: espeak-ng, sox, imagemagick, fonts-dejavu-core, iconv (libc-bin).
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
DEMO="$ROOT/demo"
MEDIAS="$DEMO/_Medias"
FONT_BOLD=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

# Another "convert" may stand first on PATH; the packaged ImageMagick is meant.
IM=convert
[ -x /usr/bin/convert ] && IM=/usr/bin/convert

for tool in espeak-ng sox iconv "$IM"; do
  command -v "$tool" >/dev/null || {
    echo "Outil manquant : $tool (apt-get install espeak-ng sox imagemagick)" >&2
    exit 1
  }
done
[ -f "$FONT_BOLD" ] || { echo "Police manquante : $FONT_BOLD (fonts-dejavu-core)" >&2; exit 1; }

TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT

# Every sox call takes -R: sox otherwise dithers with a fresh random seed, and
# regenerating an unchanged demo would rewrite every sound.

# ---------------------------------------------------------------- helpers

# What the pupil reads in the model answer, so also what the voice says:
# the codes that stand for characters a file name cannot hold, turned back.
decoder() {
  printf '%s' "$1" | sed -e 's/#ast#/*/g' -e 's/#int#/?/g' -e 's|#sla#|/|g' \
    -e 's/#ant#/\\/g' -e 's/#2po#/:/g' -e 's/#gui#/"/g' -e 's/#inf#/</g' \
    -e 's/#sup#/>/g' -e 's/#pip#/|/g' -e 's/#liv#/£/g' -e 's/#exc#/!/g' \
    -e 's/#aro#/@/g' -e "s/#apo#/'/g"
}

# item FOLDER NAME [SPOKEN]: NAME is the file name without ".wav", that is the
# text to type. Items with alternatives are spoken once, from the last one
# (the accented spelling reads best). SPOKEN gives context to homophones.
item() {
  local dossier="$1" nom="$2" dit="${3:-}"
  [ -n "$dit" ] || dit="$(decoder "${nom##*£}")"
  espeak-ng -v fr -s 130 -g 4 -w "$TMP/voix.wav" "$dit"
  # Trim the synthesiser's silences but keep a short lead-in, so the first
  # syllable is not swallowed when the sound device wakes up.
  sox -R "$TMP/voix.wav" -r 22050 -c 1 -b 16 -e signed-integer "$MEDIAS/$dossier/$nom.wav" \
    silence 1 0.02 0.5% reverse silence 1 0.02 0.5% reverse norm -1 pad 0.08 0.1
}

# Companion texts were typed on Windows by teachers: Windows-1252, CR LF.
texte_1252() {
  local fichier="$1"
  shift
  printf '%s\r\n' "$@" | iconv -f UTF-8 -t WINDOWS-1252 >"$fichier"
}

texte_utf8() {
  local fichier="$1"
  shift
  printf '%s\r\n' "$@" >"$fichier"
}

# dessin OUTPUT MVG: draws on a 320x320 canvas and halves it, which smooths
# every edge; baseline JPEG without metadata keeps the files small and stable.
dessin() {
  local sortie="$1" mvg="$2"
  "$IM" -size 320x320 xc:white -draw "$mvg" -resize 160x160 -strip \
    -interlace none -quality 88 "JPG:$sortie"
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

# ---------------------------------------------------------------- pictures

dessin_chat() {
  cat <<'EOF'
fill '#fff3d6' rectangle 0,0 320,320
fill '#ffe2a8' circle 160,175 160,30
stroke '#6b3d12' stroke-width 6 stroke-linejoin round fill '#f29b38'
polygon 62,160 78,38 165,112
polygon 258,160 242,38 155,112
stroke none fill '#f7b2c2'
polygon 86,128 93,72 138,112
polygon 234,128 227,72 182,112
stroke '#6b3d12' stroke-width 6 fill '#f29b38'
ellipse 160,190 118,100 0,360
stroke '#c86a18' stroke-width 9 stroke-linecap round fill none
line 160,98 160,128
line 132,104 138,128
line 188,104 182,128
stroke '#3b2a10' stroke-width 4 fill '#9fd36a'
ellipse 116,172 23,27 0,360
ellipse 204,172 23,27 0,360
stroke none fill '#1c1c1c'
ellipse 116,175 8,19 0,360
ellipse 204,175 8,19 0,360
fill white
circle 123,163 123,170
circle 211,163 211,170
stroke '#6b3d12' stroke-width 3 fill '#f26d8d'
polygon 146,208 174,208 160,224
stroke '#6b3d12' stroke-width 4 fill none stroke-linecap round
path 'M 160,224 Q 160,244 140,242'
path 'M 160,224 Q 160,244 180,242'
stroke '#4a3010' stroke-width 3
line 30,198 104,212
line 30,232 104,226
line 290,198 216,212
line 290,232 216,226
EOF
}

dessin_poisson() {
  cat <<'EOF'
push defs
push gradient 'eau' linear 0,0 0,320
stop-color '#d4f0ff' 0
stop-color '#5aaee6' 1
pop gradient
pop defs
push graphic-context fill 'url(#eau)' rectangle 0,0 320,320 pop graphic-context
fill '#f1d79c' stroke none path 'M 0,290 Q 160,260 320,290 L 320,320 L 0,320 Z'
fill none stroke '#2f9e4c' stroke-width 12 stroke-linecap round
path 'M 40,300 Q 18,250 44,210 Q 68,170 42,130'
path 'M 285,300 Q 305,262 282,228'
stroke '#8a3c00' stroke-width 5 stroke-linejoin round fill '#ff7a1a'
polygon 222,160 292,104 280,160 292,216
fill '#ff9a3c'
path 'M 120,112 Q 160,60 205,118 Z'
ellipse 150,162 88,58 0,360
fill none stroke '#ffffff' stroke-width 9
path 'M 168,112 Q 150,162 168,212'
path 'M 200,122 Q 186,162 200,202'
stroke '#1c1c1c' stroke-width 3 fill white
circle 100,148 100,164
stroke none fill '#1c1c1c'
circle 96,148 96,156
fill none stroke '#8a3c00' stroke-width 4 stroke-linecap round
path 'M 66,176 Q 78,184 90,178'
stroke '#ffffff' stroke-width 3
circle 58,92 58,102
circle 44,62 44,69
circle 64,34 64,39
EOF
}

dessin_foret() {
  local arbres="" x
  for x in 70:250:0.8 250:250:0.8 160:262:1.0; do
    local cx by k
    IFS=: read -r cx by k <<<"$x"
    arbres+="$(awk -v cx="$cx" -v by="$by" -v k="$k" 'BEGIN {
      printf "stroke \x27#5a3414\x27 stroke-width 4 fill \x27#8b5a2b\x27 rectangle %.0f,%.0f %.0f,%.0f\n", cx-12*k, by-40*k, cx+12*k, by;
      printf "stroke \x27#1e5e2c\x27 stroke-width 5 stroke-linejoin round fill \x27#2e8b45\x27\n";
      for (i = 0; i < 3; i++) {
        w = (75 - i * 14) * k; top = by - (95 + i * 55) * k; bot = by - (30 + i * 55) * k;
        printf "polygon %.0f,%.0f %.0f,%.0f %.0f,%.0f\n", cx, top, cx + w, bot, cx - w, bot;
      }
    }')"$'\n'
  done
  cat <<EOF
push defs
push gradient 'ciel' linear 0,0 0,320
stop-color '#cfe6fb' 0
stop-color '#a6caf0' 1
pop gradient
pop defs
push graphic-context fill 'url(#ciel)' rectangle 0,0 320,320 pop graphic-context
fill '#7cc46a' stroke none path 'M 0,240 Q 160,200 320,240 L 320,320 L 0,320 Z'
fill '#ffd23f' circle 270,50 270,78
$arbres
stroke none fill '#d9342b'
ellipse 118,286 14,9 180,360
ellipse 212,292 11,7 180,360
fill '#f5efe0'
rectangle 114,286 122,298
rectangle 209,292 215,301
EOF
}

dessin_soleil() {
  local rayons="" a
  for a in 0 30 60 90 120 150 180 210 240 270 300 330; do
    rayons+="push graphic-context translate 150,140 rotate $a line 92,0 128,0 pop graphic-context"$'\n'
  done
  cat <<EOF
push defs
push gradient 'ciel' linear 0,0 0,320
stop-color '#8cc4f5' 0
stop-color '#d8ecfc' 1
pop gradient
pop defs
push graphic-context fill 'url(#ciel)' rectangle 0,0 320,320 pop graphic-context
stroke '#ff9d1a' stroke-width 12 stroke-linecap round fill none
$rayons
stroke '#f08a00' stroke-width 6 fill '#ffd23f'
circle 150,140 150,216
stroke none fill '#5a3a10'
ellipse 124,126 8,12 0,360
ellipse 176,126 8,12 0,360
fill '#ff9f9f'
circle 110,156 110,166
circle 190,156 190,166
fill none stroke '#5a3a10' stroke-width 6 stroke-linecap round
path 'M 120,162 Q 150,190 180,162'
stroke '#b8c8dc' stroke-width 3 fill white
path 'M 190,296 Q 180,262 212,258 Q 222,226 256,236 Q 282,222 296,250 Q 322,256 312,296 Z'
EOF
}

dessin_pommes() {
  local pommes="" p
  for p in 78:248 242:248 160:128; do
    local cx cy
    IFS=: read -r cx cy <<<"$p"
    pommes+="$(awk -v x="$cx" -v y="$cy" 'BEGIN {
      printf "stroke \x27#8a1a14\x27 stroke-width 4 fill \x27#e0342b\x27\n";
      printf "path \x27M %d,%d C %d,%d %d,%d %d,%d C %d,%d %d,%d %d,%d C %d,%d %d,%d %d,%d C %d,%d %d,%d %d,%d Z\x27\n", x, y-36, x+20, y-52, x+62, y-48, x+62, y+2, x+62, y+44, x+28, y+62, x, y+50, x-28, y+62, x-62, y+44, x-62, y+2, x-62, y-48, x-20, y-52, x, y-36;
      printf "stroke none fill \x27#ff8a80\x27 ellipse %d,%d 10,16 0,360\n", x-28, y-12;
      printf "stroke \x27#5a3414\x27 stroke-width 6 stroke-linecap round fill none path \x27M %d,%d Q %d,%d %d,%d\x27\n", x, y-38, x-2, y-58, x+8, y-70;
      printf "stroke \x27#1e6e2c\x27 stroke-width 3 fill \x27#4cb05a\x27 path \x27M %d,%d Q %d,%d %d,%d Q %d,%d %d,%d Z\x27\n", x+6, y-58, x+30, y-82, x+48, y-62, x+26, y-46, x+6, y-58;
    }')"$'\n'
  done
  cat <<EOF
fill '#fffaf0' rectangle 0,0 320,320
fill '#2e5fb0' font '$FONT_BOLD' font-size 84 text 20,84 '3'
$pommes
EOF
}

# The program's emblem: an open notebook, a feather pen and a crescent moon.
dessin_pardefaut() {
  cat <<EOF
push defs
push gradient 'ciel' linear 0,0 0,320
stop-color '#e4f0fc' 0
stop-color '#a6caf0' 1
pop gradient
pop defs
push graphic-context fill 'url(#ciel)' rectangle 0,0 320,320 pop graphic-context
stroke none fill '#ffd23f'
path 'M 100,24 A 54,54 0 1,0 100,132 A 72,72 0 0,1 100,24 Z'
$(etoile 150 44 11 '#ffd23f')
$(etoile 188 84 7 '#ffe680')
$(etoile 130 104 6 '#ffe680')
push graphic-context fill '#6f8fb8' fill-opacity 0.35 ellipse 160,292 138,14 0,360 pop graphic-context
stroke '#3d5f96' stroke-width 4 stroke-linejoin round fill '#3d7fd0'
path 'M 160,196 Q 100,176 24,186 L 24,290 Q 100,282 160,300 Q 220,282 296,290 L 296,186 Q 220,176 160,196 Z'
fill '#ffffff' stroke '#7a94bf' stroke-width 3
path 'M 158,190 Q 100,168 32,176 L 32,278 Q 100,270 158,290 Z'
path 'M 162,190 Q 220,168 288,176 L 288,278 Q 220,270 162,290 Z'
fill none stroke '#9ec2ee' stroke-width 3
path 'M 44,206 Q 100,200 148,214'
path 'M 44,228 Q 100,222 148,236'
path 'M 44,250 Q 100,244 148,258'
path 'M 172,214 Q 220,200 276,206'
path 'M 172,236 Q 220,222 276,228'
stroke '#2d4f86' stroke-width 4
path 'M 56,216 Q 70,206 84,216 Q 98,226 112,214'
stroke '#7a5cc8' stroke-width 4 stroke-linejoin round fill '#f4f0ff'
path 'M 214,250 C 200,178 236,106 302,64 C 312,142 276,214 214,250 Z'
fill none stroke '#7a5cc8' stroke-width 4 stroke-linecap round
path 'M 200,270 Q 248,170 302,64'
stroke '#c9bdf0' stroke-width 3
line 232,180 246,176
line 252,138 268,136
line 262,196 252,188
EOF
}

# ---------------------------------------------------------------- sounds

# note OUTPUT FREQ DURATION: a soft bell-like tone (fundamental plus a quiet
# octave) that dies away, so chimes never click.
note() {
  sox -R -n -r 22050 -c 1 -b 16 "$TMP/f.wav" synth "$3" sine "$2" fade q 0.005 "$3" "$(awk -v d="$3" 'BEGIN{print d*0.9}')"
  sox -R -n -r 22050 -c 1 -b 16 "$TMP/h.wav" synth "$3" sine "$(awk -v f="$2" 'BEGIN{print f*2}')" fade q 0.005 "$3" "$(awk -v d="$3" 'BEGIN{print d*0.7}')" vol 0.25
  sox -R -m "$TMP/f.wav" "$TMP/h.wav" "$1"
}

# suite OUTPUT GAIN_DB "FREQ:START:DURATION"...: overlaps the notes in time.
suite() {
  local sortie="$1" gain="$2" n=0 morceau
  shift 2
  local entrees=()
  for morceau in "$@"; do
    local f debut duree
    IFS=: read -r f debut duree <<<"$morceau"
    note "$TMP/n$n.wav" "$f" "$duree"
    sox -R "$TMP/n$n.wav" "$TMP/d$n.wav" pad "$debut" 0
    entrees+=("$TMP/d$n.wav")
    n=$((n + 1))
  done
  if [ ${#entrees[@]} -gt 1 ]; then
    sox -R -m "${entrees[@]}" -b 16 -e signed-integer "$sortie" norm "$gain"
  else
    sox -R "${entrees[0]}" -b 16 -e signed-integer "$sortie" norm "$gain"
  fi
}

effets() {
  # Right answer: two bright rising notes (G5 then C6).
  suite "$DEMO/juste.wav" -3 784:0:0.35 1047:0.14:0.5
  # Wrong answer: two soft low notes going down (E4 then C4), quieter.
  suite "$DEMO/faux.wav" -8 330:0:0.35 262:0.22:0.5
  # End of an exercise: a little arpeggio landing on a held chord.
  suite "$DEMO/fin.wav" -3 523:0:0.3 659:0.15:0.3 784:0.3:0.3 1047:0.45:1.0 784:0.45:1.0 659:0.45:1.0
  # Farewell: a friendly voice, short enough for the program's 3 s pause.
  espeak-ng -v fr+f3 -s 140 -w "$TMP/revoir.wav" "Au revoir, à bientôt !"
  sox -R "$TMP/revoir.wav" -r 22050 -c 1 -b 16 -e signed-integer "$DEMO/quitter.wav" \
    silence 1 0.02 0.5% reverse silence 1 0.02 0.5% reverse norm -2 pad 0.05 0.1
}

# ---------------------------------------------------------------- exercises

exercices() {
  local d
  # Only the folders made here are wiped: a teacher's own folders stay.
  for d in "Les animaux" "Accents et apostrophes" "Deux écritures" "Petites phrases" \
    "Grammaire" "Les nombres"; do
    rm -rf "${MEDIAS:?}/$d"
  done
  mkdir -p "$MEDIAS/Les animaux" "$MEDIAS/Accents et apostrophes" "$MEDIAS/Deux écritures" \
    "$MEDIAS/Petites phrases" "$MEDIAS/Grammaire/Les articles" \
    "$MEDIAS/Grammaire/Les pluriels" "$MEDIAS/Les nombres"

  d="Les animaux"
  for n in chat chien lapin cheval oiseau poisson souris vache; do item "$d" "$n"; done
  # Companions deliberately differ in letter case from their item.
  texte_1252 "$MEDIAS/$d/CHAT.TXT" "Je ronronne près de toi" "et j'attrape les souris. Qui suis-je ?"
  dessin "$MEDIAS/$d/Chat.jpg" "$(dessin_chat)"
  texte_utf8 "$MEDIAS/$d/LAPIN.TXT" "J'ai de longues oreilles et je saute très vite." "Je grignote une carotte bien fraîche. Qui suis-je ?"
  dessin "$MEDIAS/$d/poisson.JPG" "$(dessin_poisson)"

  d="Accents et apostrophes"
  item "$d" "l#apo#eau" "l'eau. Je bois de l'eau. l'eau."
  item "$d" "l#apo#école"
  item "$d" "élève"
  item "$d" "forêt"
  item "$d" "garçon"
  item "$d" "fenêtre"
  item "$d" "où" "où. Où vas-tu ? où."
  item "$d" "très" "très. Il fait très chaud. très."
  item "$d" "maïs"
  texte_1252 "$MEDIAS/$d/GARÇON.TXT" "Je suis un enfant, mais pas une fille." "Je joue au ballon dans la cour. Qui suis-je ?"
  dessin "$MEDIAS/$d/FORÊT.JPG" "$(dessin_foret)"

  d="Deux écritures"
  for n in "Ecole£École" "Etoile£Étoile" "Eté£Été" "Eléphant£Éléphant"; do
    item "$d" "$n"
  done
  texte_1252 "$MEDIAS/$d/ECOLE£ÉCOLE.TXT" "Écris ce mot avec une majuscule au début." \
    "Avec ou sans accent sur la majuscule, c'est juste."

  # French typography: a space stands before "!" and "?".
  d="Petites phrases"
  for n in "Le chat dort" "Il fait beau #exc#" "Où est le chat #int#" "Le soleil brille" \
    "Maman lit une histoire" "J#apo#aime les fleurs"; do
    item "$d" "$n"
  done
  texte_1252 "$MEDIAS/$d/Le chat dort.txt" "Chut ! Ne fais pas de bruit :" "il ronronne, les yeux fermés, sur le canapé."
  dessin "$MEDIAS/$d/LE SOLEIL BRILLE.JPG" "$(dessin_soleil)"

  d="Grammaire/Les articles"
  for n in "un ballon" "une pomme" "le livre" "la table" "l#apo#arbre" "les crayons"; do
    item "$d" "$n"
  done

  d="Grammaire/Les pluriels"
  for n in "des chats" "les chevaux" "des bijoux" "les oiseaux" "des jeux"; do item "$d" "$n"; done
  texte_1252 "$MEDIAS/$d/LES CHEVAUX.TXT" "Ils galopent à plusieurs dans le pré." "Attention : les mots en « al » changent au pluriel !"

  d="Les nombres"
  for n in un deux trois quatre cinq six sept huit neuf dix onze douze; do item "$d" "$n"; done
  dessin "$MEDIAS/$d/TROIS.JPG" "$(dessin_pommes)"
  texte_1252 "$MEDIAS/$d/douze.TXT" "Dix, onze, ... et après ?" "C'est aussi le nombre des mois de l'année."
}

# ---------------------------------------------------------------- main

mkdir -p "$MEDIAS"
effets
dessin "$DEMO/qvx_pardefaut.jpg" "$(dessin_pardefaut)"
# 24-bit BMP (no alpha, no colour table): the plainest kind every reader takes.
"$IM" -size 320x320 xc:white -draw "$(dessin_pardefaut)" -resize 160x160 -strip \
  -alpha off -type TrueColor "BMP3:$DEMO/qvx_pardefaut.bmp"
exercices
echo "Médias de démonstration régénérés dans $DEMO"
