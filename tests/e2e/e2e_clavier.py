#!/usr/bin/python3
"""One exercise played with the keyboard only, the same keys whatever runs the program: the
Linux build, or the Windows build under Wine (where no accessibility tree is there to read).
Windows are waited for by their titles, keys sent with xdotool to the window that should have
them.

Leon (his history made empty by the caller) chooses himself in CM1, chooses his password, opens the one-item exercise "0 Essai", answers
wrongly once, then rightly, then rightly again when the item comes back, says "Non" to another exercise and to his report, and the program
says goodbye. The caller compares the record files the two systems wrote.

    e2e_clavier.py --dossier PROGRAM_DATA_FOLDER -- COMMAND...

The command starts the program (plumelune, or wine ...plumelune.exe); the data folder is where
it keeps its records (the program folder, or the public documents of an installed one).
"""

import argparse
import os
import subprocess
import sys
import time

ELEVE = "Leon"
MOT_DE_PASSE = "abc"
TITRE = "Plumelune - Version 2.0"
DELAI = 60


class Echec(Exception):
    pass


def xdotool(*arguments, sortie=False):
    r = subprocess.run(["xdotool", *arguments], capture_output=True, text=True, timeout=DELAI)
    return r.stdout.split() if sortie else r.returncode == 0


def fenetre(titre, delai=DELAI):
    """The visible window whose title is exactly `titre`, once it is there."""
    motif = "^" + titre.replace("(", r"\(").replace(")", r"\)") + "$"
    fin = time.monotonic() + delai
    while time.monotonic() < fin:
        ids = xdotool("search", "--onlyvisible", "--name", motif, sortie=True)
        if ids:
            return ids[-1]
        time.sleep(0.2)
    raise Echec(f"la fenêtre « {titre} » n'est pas venue")


def sans_fenetre(titre, delai=DELAI):
    motif = "^" + titre + "$"
    fin = time.monotonic() + delai
    while time.monotonic() < fin:
        if not xdotool("search", "--onlyvisible", "--name", motif, sortie=True):
            return
        time.sleep(0.2)
    raise Echec(f"la fenêtre « {titre} » ne s'est pas fermée")


def dans(titre, *touches, texte=None):
    """Keys (or text) to the window titled `titre`, once it is there and has the focus."""
    w = fenetre(titre)
    xdotool("windowfocus", "--sync", w)
    time.sleep(0.4)  # the program's own focus settles after the window manager's
    if texte is not None:
        xdotool("type", "--delay", "60", texte)
    if touches:
        xdotool("key", "--delay", "150", *touches)
    time.sleep(0.4)


CAPTURES = None


def capture(nom):
    if CAPTURES:
        time.sleep(0.5)
        subprocess.run(["import", "-window", "root", os.path.join(CAPTURES, nom)], check=False)


def jouer():
    # The start form opens on the group list: CE2, then CM1. Then the pupil list, where the
    # first letter finds him; then "Nouvel élève", "Voir mon bilan", the teacher's cap, and the
    # exercises (the "up" arrow is off at the top). Enter chooses the entry the arrows stand on,
    # the first, "0 Essai"; Enter again starts it.
    fenetre("Choix dossier")
    capture("depart.png")
    dans("Choix dossier", "Down", "Down", "Tab")
    dans("Choix dossier", texte=ELEVE[0])
    dans("Choix dossier", "Tab", "Tab", "Tab", "Tab", "Return")
    dans("Choix dossier", "Return")
    dans("Choix du mot de passe", texte=MOT_DE_PASSE)
    dans("Choix du mot de passe", "Return")
    exercice = f"{TITRE} - Elève : {ELEVE}"
    # "J'écoute" has the focus; then the answer field has it.
    dans(exercice, "Return")
    time.sleep(1.0)
    dans(exercice, texte="xyz")
    capture("exercice.png")
    dans(exercice, "Return")
    dans("Plumelune", "Return")  # the feedback, "Ok"
    time.sleep(2.5)  # the model answer shows, then the field is given back
    dans(exercice, texte="chat")
    dans(exercice, "Return")
    dans("Plumelune", "Return")
    # Missed at the first attempt, the item comes back once more; "J'écoute" has the focus.
    time.sleep(1.0)
    dans(exercice, "Return")
    time.sleep(1.0)
    dans(exercice, texte="chat")
    dans(exercice, "Return")
    dans("Plumelune", "Return")
    # "Bravo Leon ! ... Veux-tu faire un autre exercice ?", then "Veux-tu voir ton bilan ?".
    dans(TITRE, "Escape")
    time.sleep(1.0)
    dans(TITRE, "Escape")


def main():
    args = argparse.ArgumentParser()
    args.add_argument("--dossier", required=True)
    args.add_argument("--capture", help="a screenshot of the screen where it failed")
    args.add_argument("--captures", help="a folder for screenshots of the start form and the exercise")
    args.add_argument("commande", nargs="+")
    a = args.parse_args()
    global CAPTURES
    CAPTURES = a.captures
    programme = subprocess.Popen(a.commande, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        jouer()
        programme.wait(timeout=DELAI)
    except (Echec, subprocess.TimeoutExpired) as e:
        print(f"ÉCHEC : {e}", file=sys.stderr)
        if a.capture:
            subprocess.run(["import", "-window", "root", a.capture], check=False)
        programme.kill()
        return 1
    fichiers = sorted(os.listdir(os.path.join(a.dossier, "_Bilans", "CM1")))
    print("fichiers :", " ".join(fichiers))
    return 0


if __name__ == "__main__":
    sys.exit(main())
