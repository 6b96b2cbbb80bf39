#!/usr/bin/python3
"""What a screen reader meets on a pupil's journey and on the teacher's main screens, with the
keyboard only.

Noé, a new pupil of CM1, opens "Les animaux" (enough items for the item-count question), keeps
four items, answers the first one wrongly three times (a hint, the model shown for a moment,
then the model to observe, read in words), opens and cancels the quit question, answers the
rest and says "Non" twice at the end. Then the teacher opens his module and the class view.

On every screen, Tab is pressed until the focus comes back where it started; each control the
focus reaches must have a name and a role that says what it is, the score fields must be named
by what they count, and the order of Tab must be the order of reading (top to bottom, left to
right, a column at a time). Boxes must be a dialog or an alert, their focused button named.

With --transcript, what each focus change would make a screen reader say (name, role,
description, text) is printed, screen by screen.

Run under a display and a session bus, like e2e_eleve.py:
    xvfb-run -a dbus-run-session -- /usr/bin/python3 e2e_lecteur_ecran.py --exe build/src/plumelune --demo demo
"""

import argparse
import datetime
import re
import os
import subprocess
import sys
import time

import pyatspi

from e2e_eleve import (A_ARRETER, TITRE, TITRE_EXERCICE, Echec, Oreille, arreter, attendre,
                       attendre_la_fin, donner_le_focus, enfants, etape, jouer, lancer, nom,
                       ouvrir_le_bureau, preparer, reponse_juste, role, taper, touche, visible)

ELEVE = "Noé"
MOT_DE_PASSE = "Lune 5"
MOT_DE_PASSE_ENSEIGNANT = "maitre"  # the demo ini's
EXERCICE = "Les animaux"

# What a focused control may be. A read-only value is a label; the boxes' own role is checked
# apart (dialog, or alert once the boxes expose it).
ROLES_PERMIS = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_TEXT,
                pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_COMBO_BOX,
                pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_CHECK_BOX,
                pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_LABEL, pyatspi.ROLE_PAGE_TAB,
                pyatspi.ROLE_PAGE_TAB_LIST, pyatspi.ROLE_TABLE, pyatspi.ROLE_TABLE_CELL,
                pyatspi.ROLE_TREE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_SPIN_BUTTON}
ROLES_BOITE = {pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT}
CONTENANTS = {pyatspi.ROLE_FRAME, pyatspi.ROLE_FILLER, pyatspi.ROLE_PANEL}
ENTREES = {pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_PAGE_TAB}

TRANSCRIPTION = False
# When each screen began, for sorting what Orca said by screen: (time of day, screen).
ECRANS = []


def description(a):
    try:
        return a.description or ""
    except Exception:
        return ""


def texte(a):
    try:
        t = a.queryText()
        return t.getText(0, t.characterCount)
    except Exception:
        return ""


def role_dit(a):
    try:
        return a.getRoleName()
    except Exception:
        return "?"


def place(a):
    x, y, l, h = a.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
    return x, y, x + l, y + h


def dire(ligne):
    if ligne.startswith("— "):
        ECRANS.append((datetime.datetime.now().strftime("%H:%M:%S.%f"), ligne.strip("— ")))
    if TRANSCRIPTION:
        print("    " + ligne, flush=True)


def etiquette(a):
    """The name of the label tied to a control (on Linux a list box's own name is its entry)."""
    try:
        for r in a.getRelationSet():
            if r.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                return nom(r.getTarget(0))
    except Exception:
        pass
    return ""


def dit(a):
    """What a screen reader reads of a control: its label, its name, its role, its value, its
    description."""
    morceaux = [nom(a) or "(sans nom)", role_dit(a)]
    if etiquette(a):
        morceaux.insert(0, etiquette(a))
    t = texte(a)
    if t and t != nom(a) and role(a) != pyatspi.ROLE_PASSWORD_TEXT:
        morceaux.append(f"« {t} »")
    if description(a):
        morceaux.append(f"[{description(a)}]")
    return ", ".join(morceaux)


def focus_dans(programme):
    """The control that has the focus, in whichever window of the program."""
    def chercher(a, profondeur=0, parent_focalise=False):
        try:
            etats = a.getState()
        except Exception:
            return None
        focalise = etats.contains(pyatspi.STATE_FOCUSED)
        # Qt leaves a list's current entry (and a tab bar's current tab) marked focused once
        # the list has lost the focus: an entry counts only inside its focused list. A
        # container marked with the control it holds is passed through.
        if focalise and role(a) not in ROLES_BOITE | CONTENANTS \
                and (role(a) not in ENTREES or parent_focalise):
            return a
        if profondeur > 14 or not etats.contains(pyatspi.STATE_SHOWING):
            return None
        for e in enfants(a):
            trouve = chercher(e, profondeur + 1, focalise)
            if trouve is not None:
                return trouve
        return None
    fenetres = programme.fenetres()
    # The active window first: a list keeps its current entry marked in a window left behind.
    actives = [f for f in fenetres if etat(f, pyatspi.STATE_ACTIVE)]
    for f in actives or fenetres:
        trouve = chercher(f)
        if trouve is not None:
            return trouve
    return None


def etat(a, e):
    try:
        return a.getState().contains(e)
    except Exception:
        return False


def cle(a):
    """Tells two controls apart across tree walks: role, name and place."""
    try:
        return (role(a), nom(a), place(a))
    except Exception:
        return None


def attendre_focus(programme, avant=None):
    """The focused control once it is there (and is no longer `avant`, when given)."""
    # The same answer twice in a row: the key may not have been handled at the first look.
    dernier = [None]

    def pret():
        a = focus_dans(programme)
        c = cle(a) if a is not None else None
        stable = c is not None and c == dernier[0]
        dernier[0] = c
        if stable and (avant is None or c != avant):
            return a
        return None
    return attendre(pret, "un contrôle qui a le focus", 5)


def verifier_controle(a, ecran):
    if not nom(a).strip():
        raise Echec(f"{ecran} : un contrôle sans nom ({role_dit(a)}, {place(a)})")
    if role(a) not in ROLES_PERMIS:
        raise Echec(f"{ecran} : « {nom(a)} » a le rôle « {role_dit(a)} »")
    # On Linux a list box's name is its entry; what it chooses comes from its label. The entry
    # is its description too: Orca (with Qt 6.4) cannot read the entry otherwise.
    if role(a) == pyatspi.ROLE_COMBO_BOX and not etiquette(a).strip():
        raise Echec(f"{ecran} : la liste déroulante « {nom(a)} » ne dit pas ce qu'elle choisit")
    if role(a) == pyatspi.ROLE_COMBO_BOX and description(a) != nom(a):
        raise Echec(f"{ecran} : la liste déroulante « {etiquette(a)} » ne dit pas son entrée "
                    f"« {nom(a)} » ({description(a)!r})")


def avant_dans_la_lecture(a, b):
    """True when `b` is read before `a`: in the same column and above it, or on the same row
    and to its left. Controls in another row and column follow a column's end."""
    ax1, ay1, ax2, ay2 = a
    bx1, by1, bx2, by2 = b
    meme_colonne = bx1 < ax2 and ax1 < bx2
    meme_rangee = by1 < ay2 and ay1 < by2
    if meme_rangee and bx2 <= ax1:
        return True
    return meme_colonne and not meme_rangee and by2 <= ay1


def tour_de_tab(programme, ecran, ordre_de_lecture=True):
    """Tab from the focused control until the focus comes back to it; every control reached is
    checked, then the order (the pupil's screens, drawn at fixed places). Returns the controls
    in the order reached."""
    dire(f"— {ecran} —")
    premier = attendre_focus(programme)
    vus = [premier]
    cles = [cle(premier)]
    verifier_controle(premier, ecran)
    dire(dit(premier))
    for _ in range(30):
        touche("Tab")
        a = attendre_focus(programme, cles[-1])
        if cle(a) == cles[0]:
            break
        if cle(a) in cles:
            raise Echec(f"{ecran} : Tab tourne sans revenir au premier contrôle ({nom(a)})")
        verifier_controle(a, ecran)
        dire(dit(a))
        vus.append(a)
        cles.append(cle(a))
    else:
        raise Echec(f"{ecran} : Tab ne revient pas au premier contrôle")
    if not ordre_de_lecture:
        return vus
    # The round starts where reading starts: the top-left control.
    places = [c[2] for c in cles]
    debut = min(range(len(places)), key=lambda i: (places[i][1], places[i][0]))
    ordre = list(range(debut, len(places))) + list(range(debut))
    for i, j in zip(ordre, ordre[1:]):
        if avant_dans_la_lecture(places[i], places[j]):
            raise Echec(f"{ecran} : Tab va de « {cles[i][1]} » {places[i]} à « {cles[j][1]} » "
                        f"{places[j]}, à rebours de la lecture")
    return vus


def boite(programme, ecran, texte_attendu=None):
    """A box: its role, its texts, its focused button named. Returns the box."""
    def chercher():
        for f in programme.fenetres():
            if role(f) in ROLES_BOITE:
                textes = [nom(e) for e in parcourir_visibles(f) if role(e) == pyatspi.ROLE_LABEL]
                if texte_attendu is None or texte_attendu in textes:
                    return f
        return None
    f = attendre(chercher, f"{ecran} : une boîte" + (f" « {texte_attendu} »" if texte_attendu else ""))
    dire(f"— {ecran} —")
    dire(f"{nom(f)}, {role_dit(f)}")
    for e in parcourir_visibles(f):
        if role(e) == pyatspi.ROLE_LABEL and nom(e):
            dire(nom(e))
    bouton = attendre_focus(programme)
    verifier_controle(bouton, ecran)
    if role(bouton) != pyatspi.ROLE_PUSH_BUTTON:
        raise Echec(f"{ecran} : le focus est sur « {nom(bouton)} », pas sur un bouton")
    dire(dit(bouton))
    return f


def parcourir_visibles(a, profondeur=0):
    if not visible(a):
        return
    yield a
    if profondeur < 14:
        for e in enfants(a):
            yield from parcourir_visibles(e, profondeur + 1)


def fermee(programme, titre):
    """The window so titled gone. Under a screen reader a key reaches the program only after
    the reader has seen it: the focus given back before the box has closed would go to the box
    and be lost with it."""
    attendre(lambda: not any(nom(f) == titre for f in programme.fenetres()), f"« {titre} » fermée")


def sans_boite(programme):
    attendre(lambda: not any(role(f) in ROLES_BOITE for f in programme.fenetres()), "la boîte fermée")


def tab_jusqu_a(programme, voulu, echec, essais):
    """Tab until the focused control is the one wanted; returns it."""
    for _ in range(essais):
        a = focus_dans(programme)
        if a is not None and voulu(a):
            return a
        touche("Tab")
        time.sleep(0.1)
    raise Echec(echec)


def focus_sur(programme, role_voulu, essais=20):
    return tab_jusqu_a(programme, lambda a: role(a) == role_voulu,
                       f"pas de {role_voulu} au bout de {essais} Tab", essais)


def focus_nomme(programme, ecran, nom_voulu, essais=20):
    return tab_jusqu_a(programme, lambda a: nom(a) == nom_voulu,
                       f"{ecran} : « {nom_voulu} » jamais atteint avec Tab", essais)


def images_nommees(programme, fenetre, ecran):
    """No button, and no picture a pupil must understand, without a text equivalent."""
    for a in parcourir_visibles(fenetre):
        if role(a) in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON) and not nom(a).strip():
            raise Echec(f"{ecran} : un bouton sans nom ({place(a)})")


# --- The journey ---------------------------------------------------------------------------------

def depart(programme):
    p = programme.processus
    f = programme.fenetre("Choix dossier")
    donner_le_focus(p, "Choix dossier")
    images_nommees(programme, f, "formulaire de départ")
    tour_de_tab(programme, "formulaire de départ")
    groupe = focus_sur(programme, pyatspi.ROLE_COMBO_BOX)
    for _ in range(6):
        if nom(groupe) == "CM1":
            break
        touche("Down")
        time.sleep(0.2)
    attendre(lambda: nom(groupe) == "CM1", "le groupe CM1")

    focus_nomme(programme, "formulaire de départ", "Nouvel élève")
    touche("Return")
    programme.fenetre("Nouvel élève")
    donner_le_focus(p, "Nouvel élève")
    tour_de_tab(programme, "nouvel élève")
    taper(ELEVE)
    touche("Return")
    fermee(programme, "Nouvel élève")
    donner_le_focus(p, "Choix dossier")

    liste = focus_sur(programme, pyatspi.ROLE_LIST)
    # Its first letter finds it (the arrows would walk into a folder of folders on the way).
    taper(EXERCICE[0])
    attendre(lambda: any(nom(e) == EXERCICE and etat(e, pyatspi.STATE_SELECTED)
                         for e in enfants(liste)), f"« {EXERCICE} » choisi")
    tour_de_tab(programme, "formulaire de départ, élève et exercice choisis")
    focus_sur(programme, pyatspi.ROLE_LIST)
    touche("Return")
    programme.fenetre("Choix du mot de passe")
    donner_le_focus(p, "Choix du mot de passe")
    tour_de_tab(programme, "mot de passe")
    taper(MOT_DE_PASSE)
    touche("Return")

    programme.fenetre("Choix nombre d'items")
    donner_le_focus(p, "Choix nombre d'items")
    tour_de_tab(programme, "nombre d'items")
    # From "Ok" back to the choices: the first one, the fewest items, chosen with Space.
    focus_sur(programme, pyatspi.ROLE_RADIO_BUTTON)
    touche("space")
    attendre(lambda: etat(focus_dans(programme), pyatspi.STATE_CHECKED), "le choix coché")
    touche("Return")


def exercice(programme, oreille):
    p = programme.processus
    ecran = programme.fenetre(contenant=(pyatspi.ROLE_PUSH_BUTTON, "J'écoute"))
    donner_le_focus(p, TITRE_EXERCICE, exact=False)
    images_nommees(programme, ecran, "exercice")
    tour_de_tab(programme, "exercice, avant d'écouter")
    scores = [a for a in parcourir_visibles(ecran) if role(a) == pyatspi.ROLE_LABEL]
    noms = [nom(a) for a in scores]
    for compte in ("Points en jeu", "Mon score"):
        if not any(n.startswith(compte) for n in noms):
            raise Echec(f"exercice : pas de champ nommé « {compte} » ({noms})")

    focus_nomme(programme, "exercice", "J'écoute")
    oreille.vider()
    touche("Return")
    item = oreille.son_ouvert()
    attendre(lambda: role(focus_dans(programme)) == pyatspi.ROLE_TEXT, "le champ de réponse")
    tour_de_tab(programme, "exercice, l'item écouté")
    focus_sur(programme, pyatspi.ROLE_TEXT)

    # A letter missing, which a hint tells: the hint, then the model for a moment, then the
    # model to observe.
    faux = reponse_juste(item)[:-1]
    for essai in range(3):
        taper(faux)
        touche("Return")
        if essai == 0:
            f = boite(programme, "retour : mauvaise réponse, avec l'indice")
            if len([e for e in parcourir_visibles(f) if role(e) == pyatspi.ROLE_LABEL and nom(e)]) < 2:
                raise Echec("le retour de la première erreur n'a pas son indice")
            touche("Return")
        elif essai == 1:
            boite(programme, "retour : la réponse va s'afficher")
            touche("Return")
        else:
            boite(programme, "retour : observe la réponse")
            touche("Return")
            boite(programme, "retour : j'essaie encore, le corrigé affiché")
            touche("Return")
        sans_boite(programme)
        donner_le_focus(p, TITRE_EXERCICE, exact=False)
        attendre(lambda: role(focus_dans(programme)) == pyatspi.ROLE_TEXT, "le champ rendu")
        if essai == 1:
            time.sleep(1.2)  # the model shown for a moment is gone again

    # The model that stays after the fourth wrong answer is read in words.
    taper(faux)
    touche("Return")
    boite(programme, "retour : observe bien la réponse")
    touche("Return")
    sans_boite(programme)
    donner_le_focus(p, TITRE_EXERCICE, exact=False)
    vus = tour_de_tab(programme, "exercice, le corrigé affiché")
    observe = [a for a in vus if role(a) in (pyatspi.ROLE_TEXT, pyatspi.ROLE_LABEL)
               and texte(a) and description(a)]
    if not observe:
        raise Echec("le corrigé n'est pas atteint avec Tab, ou pas dit en mots")
    focus_sur(programme, pyatspi.ROLE_TEXT)
    # Tab stops on the model too: back to the answer field.
    while nom(focus_dans(programme)) != nom_champ_reponse(programme):
        touche("Tab")
        time.sleep(0.1)

    taper(reponse_juste(item))
    touche("Return")
    boite(programme, "retour : bonne réponse")
    touche("Return")
    sans_boite(programme)

    etape("la question de Stop")
    donner_le_focus(p, TITRE_EXERCICE, exact=False)
    focus_nomme(programme, "exercice", "Arrêter")
    touche("space")  # Enter keeps the window's meaning: listen, or submit
    programme.fenetre(contenant=(pyatspi.ROLE_PUSH_BUTTON, "Nouvel exercice"))
    donner_le_focus(p, "Quitter")
    tour_de_tab(programme, "question de Stop")
    focus_nomme(programme, "question de Stop", "Annuler")
    touche("Return")
    fermee(programme, "Quitter")
    donner_le_focus(p, TITRE_EXERCICE, exact=False)

    # The rest, and the item missed at its first attempt once more.
    for tour in range(4):
        focus_nomme(programme, "exercice", "J'écoute")
        oreille.vider()
        touche("Return")
        item = oreille.son_ouvert()
        attendre(lambda: role(focus_dans(programme)) == pyatspi.ROLE_TEXT, "le champ de réponse")
        taper(reponse_juste(item))
        touche("Return")
        boite(programme, "retour : bonne réponse")
        touche("Return")
        if tour < 3:
            sans_boite(programme)
            donner_le_focus(p, TITRE_EXERCICE, exact=False)
    boite(programme, "fin : un autre exercice ?")
    donner_le_focus(p, TITRE)
    touche("Escape")
    boite(programme, "fin : le bilan ?")
    donner_le_focus(p, TITRE)
    touche("Escape")


def nom_champ_reponse(programme):
    return "Ta réponse"


def enseignant(programme):
    p = programme.processus
    programme.fenetre("Choix dossier")
    donner_le_focus(p, "Choix dossier")
    focus_nomme(programme, "formulaire de départ", "Accéder au module enseignant")
    touche("Return")
    programme.fenetre("Saisie du mot de passe")
    donner_le_focus(p, "Saisie du mot de passe")
    taper(MOT_DE_PASSE_ENSEIGNANT)
    touche("Return")
    bilans = programme.fenetre(contenant=(pyatspi.ROLE_PUSH_BUTTON, "Gérer les groupes"))
    # Its caption is the pupil shown, none yet: the program's topmost window. A screen reader
    # still names it.
    if nom(bilans) != "Module enseignant":
        raise Echec(f"la fenêtre des bilans s'annonce « {nom(bilans)} »")
    donner_le_focus(p, "", exact=False)
    images_nommees(programme, bilans, "bilans")
    # The teacher's windows are laid out by Qt and give places AT-SPI reports oddly (sizes of
    # a few hundred pixels for a list box): their order is not judged here.
    tour_de_tab(programme, "fenêtre des bilans", False)
    focus_nomme(programme, "fenêtre des bilans", "Suivi de la classe", essais=30)
    touche("Return")
    classe = programme.fenetre(contenant=(pyatspi.ROLE_PAGE_TAB, "La classe"))
    donner_le_focus(p, nom(classe), exact=False)
    images_nommees(programme, classe, "suivi de la classe")
    tour_de_tab(programme, "suivi de la classe", False)


def lancer_orca(journal, racine, env):
    """Orca on the same buses, speaking through speech-dispatcher's silent module; its debug
    log has a "SPEECH OUTPUT" line for each thing said."""
    maison = os.path.join(racine, "maison")
    conf = os.path.join(maison, ".config", "speech-dispatcher")
    os.makedirs(conf)
    with open(os.path.join(conf, "speechd.conf"), "w") as f:
        f.write('AddModule "dummy" "sd_dummy" ""\nDefaultModule dummy\n')
    env_orca = dict(env, HOME=maison, XDG_CONFIG_HOME=os.path.join(maison, ".config"),
                    XDG_DATA_HOME=os.path.join(maison, ".local", "share"), GTK_USE_PORTAL="0")
    orca = subprocess.Popen(["orca", "--replace", f"--debug-file={journal}"], env=env_orca,
                            start_new_session=True, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    A_ARRETER.append(lambda: arreter(orca))
    time.sleep(4)  # Orca reads its settings and registers its listeners


def ce_qu_orca_a_dit(journal):
    """Orca's "SPEECH OUTPUT" lines, screen by screen (a line belongs to the last screen begun
    before it). The echo of each key pressed is left out."""
    dits = []
    en_cours = None
    with open(journal, encoding="utf-8", errors="replace") as f:
        for ligne in f:
            m = re.match(r"(\d\d:\d\d:\d\d\.\d+) - SPEECH OUTPUT: '(.*)", ligne)
            if m:
                en_cours = [m.group(1), m.group(2)]
            elif en_cours is not None:
                en_cours[1] += " " + ligne.strip()
            else:
                continue
            # A box's text may run over several lines; the speech ends at its quote and brace.
            fin = re.match(r"(.*)'\s*\{", en_cours[1])
            if fin:
                dit = fin.group(1)
                if dit.strip() and not dit.endswith(" "):
                    dits.append((en_cours[0], dit.strip()))
                en_cours = None
    print("Ce qu'Orca a dit :")
    for i, (debut, ecran) in enumerate(ECRANS):
        fin = ECRANS[i + 1][0] if i + 1 < len(ECRANS) else "99"
        phrases = [d for t, d in dits if debut <= t < fin]
        print(f"  {ecran} : " + (" / ".join(phrases) if phrases else "(rien)"))


def main():
    global TRANSCRIPTION
    arguments = argparse.ArgumentParser()
    arguments.add_argument("--exe", required=True)
    arguments.add_argument("--demo", required=True)
    arguments.add_argument("--transcript", action="store_true",
                           help="print what a screen reader reads at each focus")
    arguments.add_argument("--garder", action="store_true", help="keep the program folder")
    arguments.add_argument("--orca", metavar="JOURNAL",
                           help="run the journey under Orca, its debug log (what it says) there")
    a = arguments.parse_args()
    TRANSCRIPTION = a.transcript

    def parcours(racine):
        dossier = preparer(a.exe, a.demo, racine)
        env = ouvrir_le_bureau()
        if a.orca:
            lancer_orca(a.orca, racine, env)
        oreille = Oreille(os.path.join(dossier, "_Medias", EXERCICE))

        etape("Noé, au clavier seulement")
        programme = lancer(dossier, env)
        depart(programme)
        exercice(programme, oreille)
        attendre_la_fin(programme.processus, "l'au revoir")

        etape("le module enseignant")
        programme = lancer(dossier, env)
        enseignant(programme)
        if a.orca:
            ce_qu_orca_a_dit(a.orca)

    return jouer("plumelune-lecteur-", 150, a.garder, parcours)


if __name__ == "__main__":
    sys.exit(main())
