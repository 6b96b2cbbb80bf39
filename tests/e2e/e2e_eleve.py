#!/usr/bin/python3
"""A pupil's whole visit, then the teacher's, with the real program in a copy of the demo
program folder.

Zoé creates herself in the group CM1 with a password, chooses "Deux écritures" (4 items, so no
item-count question), answers the first item wrongly once and everything else right, says "Non"
to another exercise and to her report, and the program says goodbye. Then her four files are
compared with what they must hold, times matched by pattern.

The program is started again: the teacher opens the teacher module with his password, finds
Zoé's records in its views, deletes her, and quits; her four files must be gone.

Then Léon does the same with the keyboard only: Tab, arrows, Enter, Escape and typing, from the
group list to the end questions; his four files are checked the same way.

Last, the ways out from outside: the window manager's close (the WM_DELETE_WINDOW message it
sends on Alt+F4) on the start form asks "Quitter"'s question; on the exercise window during an
exercise it ends the program with the interruption recorded; so does SIGTERM while the feedback
dialog is open.

Then the studio: the teacher opens "Créer ou modifier un exercice", creates a folder of three
items (one with an apostrophe, one with two spellings), gives them the synthesised voice
(espeak-ng) and closes; Lou, a new pupil, plays that folder, answering the two-spellings item
with its second spelling, and her records are compared in turn.

Run under a display and a session bus:
    xvfb-run -a dbus-run-session -- /usr/bin/python3 e2e_eleve.py --exe build/src/plumelune --demo demo

The widgets are found through the accessibility tree (AT-SPI) by their French names, and used
with the mouse and the keyboard of the X server (xdotool), as a pupil would. The items are drawn
at random: the test "hears" which one is playing by watching the exercise folder for the
recording the program opens when J'écoute is clicked.
"""

import argparse
import ctypes
import glob
import os
import re
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time

import pyatspi
from Xlib import X, display as xdisplay, protocol as xprotocol

ELEVE = "Zoé"
ELEVE_CLAVIER = "Léon"
TITRE = "Plumelune - Version 2.0"  # the message boxes' title
TITRE_EXERCICE = TITRE + " - Elève : "
MOT_DE_PASSE_CLAVIER = "Pluie 7"
MOT_DE_PASSE = "Lune 2"
MOT_DE_PASSE_ENSEIGNANT = "maitre"  # the demo ini's
GROUPE = "CM1"
EXERCICE = "Deux écritures"
FAUX = "xyz"
DELAI = 15.0  # seconds any single thing may take to appear

# Keys for the accented letters typed here; the server's default map has none of them.
TOUCHES_ACCENTS = {249: "eacute Eacute", 250: "egrave Egrave", 251: "agrave Agrave",
                   252: "ccedilla Ccedilla", 253: "ugrave Ugrave", 254: "ecircumflex Ecircumflex"}


class Echec(Exception):
    pass


def etape(texte):
    print(f"[e2e] {texte}", flush=True)


# --- Hearing which recording plays ---------------------------------------------------------

# What a journey has started and must stop at its end, whatever happened: the programs, the
# buses and the watchers, each as the call that stops it.
A_ARRETER = []


class Oreille:
    """Watches a folder for the files the program opens (inotify, through the C library)."""

    IN_OPEN = 0x20

    def __init__(self, dossier):
        self.libc = ctypes.CDLL("libc.so.6", use_errno=True)
        self.fd = self.libc.inotify_init1(os.O_NONBLOCK | os.O_CLOEXEC)
        if self.fd < 0:
            raise Echec("inotify indisponible")
        A_ARRETER.append(self.fermer)
        if self.libc.inotify_add_watch(self.fd, os.fsencode(dossier), self.IN_OPEN) < 0:
            raise Echec(f"impossible de surveiller {dossier}")

    def _lire(self):
        noms = []
        try:
            donnees = os.read(self.fd, 65536)
        except BlockingIOError:
            return noms
        i = 0
        while i + 16 <= len(donnees):
            _, _, _, longueur = struct.unpack_from("iIII", donnees, i)
            nom = donnees[i + 16:i + 16 + longueur].rstrip(b"\0")
            noms.append(os.fsdecode(nom))
            i += 16 + longueur
        return noms

    def vider(self):
        while self._lire():
            pass

    def son_ouvert(self, delai=DELAI):
        fin = time.monotonic() + delai
        while time.monotonic() < fin:
            sons = [n for n in self._lire() if n.lower().endswith(".wav")]
            if sons:
                return sons[-1]
            time.sleep(0.05)
        raise Echec("aucun son n'a été ouvert après J'écoute")

    def fermer(self):
        if self.fd >= 0:
            os.close(self.fd)
            self.fd = -1


# --- The accessibility tree ------------------------------------------------------------------

# Widgets are told apart by role constant and accessible name. A role's display string is no
# use: it changes between versions of the accessibility libraries ("push button" in Debian 12's
# at-spi 2.46 is "button" in Debian 13's 2.56).
BOUTON = pyatspi.ROLE_PUSH_BUTTON
ETIQUETTE = pyatspi.ROLE_LABEL
TEXTE = pyatspi.ROLE_TEXT
TEXTE_CACHE = pyatspi.ROLE_PASSWORD_TEXT
LISTE_DEROULANTE = pyatspi.ROLE_COMBO_BOX
LISTE = pyatspi.ROLE_LIST
ELEMENT = pyatspi.ROLE_LIST_ITEM
ONGLET = pyatspi.ROLE_PAGE_TAB
NOMS_DES_ROLES = {BOUTON: "bouton", ETIQUETTE: "texte", TEXTE: "champ", TEXTE_CACHE: "champ caché",
                  LISTE_DEROULANTE: "liste déroulante", LISTE: "liste", ELEMENT: "entrée de liste",
                  ONGLET: "onglet"}


def role(a):
    try:
        return a.getRole()
    except Exception:
        return None


def nom_du_role(r):
    return NOMS_DES_ROLES.get(r, str(r))


def nom(a):
    try:
        return a.name or ""
    except Exception:
        return ""


def enfants(a):
    try:
        return [a.getChildAtIndex(i) for i in range(a.childCount)]
    except Exception:
        return []


def visible(a):
    try:
        etats = a.getState()
        return etats.contains(pyatspi.STATE_SHOWING) and etats.contains(pyatspi.STATE_VISIBLE)
    except Exception:
        return False


def focalise(a):
    try:
        return a.getState().contains(pyatspi.STATE_FOCUSED)
    except Exception:
        return False


def actif(a):
    try:
        return a.getState().contains(pyatspi.STATE_ENABLED)
    except Exception:
        return False


def parcourir(a, profondeur=0):
    yield a
    if profondeur < 14:
        for e in enfants(a):
            yield from parcourir(e, profondeur + 1)


def attendre(quoi, description, delai=DELAI):
    fin = time.monotonic() + delai
    while time.monotonic() < fin:
        r = quoi()
        if r:
            return r
        time.sleep(0.1)
    raise Echec(f"pas trouvé dans les temps : {description}")


class Programme:
    def __init__(self, processus):
        self.processus = processus

    def application(self):
        bureau = pyatspi.Registry.getDesktop(0)
        for a in enfants(bureau):
            if nom(a) == "plumelune":
                try:
                    if a.get_process_id() == self.processus.pid:
                        return a
                except Exception:
                    return a
        return None

    def fenetres(self):
        app = self.application()
        return [f for f in enfants(app) if visible(f)] if app else []

    def fenetre(self, titre=None, contenant=None, delai=DELAI):
        """A shown window, by its caption and/or a control it holds (role, name)."""
        def chercher():
            for f in self.fenetres():
                if titre is not None and nom(f) != titre:
                    continue
                if contenant is not None and not self.dans(f, *contenant, attente=False):
                    continue
                return f
            return None
        description = "fenêtre" + (f" « {titre} »" if titre is not None else "")
        if contenant is not None:
            description += f" avec {nom_du_role(contenant[0])} « {contenant[1]} »"
        return attendre(chercher, description, delai)

    def dans(self, fenetre, role_voulu, nom_voulu=None, attente=True, seulement_visible=True):
        def chercher():
            for a in parcourir(fenetre):
                if role(a) == role_voulu and (nom_voulu is None or nom(a) == nom_voulu) \
                        and (not seulement_visible or visible(a)):
                    return a
            return None
        if not attente:
            return chercher()
        return attendre(chercher, f"{nom_du_role(role_voulu)} « {nom_voulu} »")

    def tous(self, fenetre, role_voulu):
        return [a for a in parcourir(fenetre) if role(a) == role_voulu and visible(a)]


# --- The pupil's hands -----------------------------------------------------------------------

def xdotool(*arguments):
    subprocess.run(["xdotool", *arguments], check=True, timeout=DELAI)


def position_souris():
    sortie = subprocess.run(["xdotool", "getmouselocation", "--shell"], capture_output=True,
                            text=True, check=True, timeout=DELAI).stdout
    valeurs = dict(ligne.split("=", 1) for ligne in sortie.split())
    return int(valeurs["X"]), int(valeurs["Y"])


def cliquer(a):
    x, y, l, h = a.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    if l <= 0 or h <= 0:
        raise Echec(f"« {nom(a)} » n'a pas de place à l'écran")
    cible = (x + l // 2, y + h // 2)
    # "--sync" waits for the pointer to move, forever when it is there already (two boxes in a
    # row, each centred on the exercise, put their "Ok" at the same place).
    if position_souris() != cible:
        xdotool("mousemove", "--sync", str(cible[0]), str(cible[1]))
    xdotool("click", "1")


def cliquer_quand_actif(a):
    attendre(lambda: actif(a), f"« {nom(a)} » actif")
    cliquer(a)


def taper(texte):
    xdotool("type", "--delay", "40", texte)


def touche(*noms):
    xdotool("key", *noms)


def choisir_dans_liste_deroulante(programme, fenetre, liste, entree):
    cliquer(liste)
    element = attendre(lambda: next((e for e in parcourir(liste)
                                     if role(e) == ELEMENT and nom(e) == entree and visible(e)),
                                    None), f"entrée « {entree} »")
    cliquer(element)
    attendre(lambda: nom(liste) == entree, f"« {entree} » choisi")


# --- The visit ---------------------------------------------------------------------------------

def reponse_juste(fichier):
    """The first accepted answer of an item file, as the pupil writes it."""
    return fichier[:-4].split("£")[0]


def cle(texte):
    """A history key: only A to Z folded, characters up to code 32 trimmed at both ends."""
    plie = "".join(c.lower() if "A" <= c <= "Z" else c for c in texte)
    return plie.strip("".join(chr(i) for i in range(33)))


def attendu_du_nom(fichier):
    """The expected-answer piece of a record line: ".wav" removed, "£" as five spaces."""
    texte = fichier
    for forme in (".WAV", ".wav", ".Wav"):
        texte = texte.replace(forme, "")
    return texte.replace("£", "     ")


def fermer_retour(programme, texte_attendu):
    """The feedback dialog: check its sentence, then its "Ok"."""
    f = programme.fenetre(contenant=(ETIQUETTE, texte_attendu))
    cliquer(programme.dans(f, BOUTON, "Ok"))
    attendre(lambda: not programme.dans(f, ETIQUETTE, texte_attendu, attente=False), "retour fermé")


def visite(programme, oreille):
    etape("le formulaire de départ")
    depart = programme.fenetre("Choix dossier")
    listes = attendre(lambda: programme.tous(depart, LISTE_DEROULANTE), "listes du départ")
    groupe, eleve = listes[0], listes[1]
    choisir_dans_liste_deroulante(programme, depart, groupe, GROUPE)

    etape("Zoé s'ajoute")
    cliquer_quand_actif(programme.dans(depart, BOUTON, "Nouvel élève"))
    dialogue = programme.fenetre("Nouvel élève")
    champ = programme.dans(dialogue, TEXTE, "Prénom")
    cliquer(champ)
    taper(ELEVE)
    touche("Return")
    attendre(lambda: nom(eleve) == ELEVE, "Zoé choisie dans la liste")

    etape("l'exercice et le mot de passe")
    dossiers = programme.dans(depart, LISTE, "Exercices")
    cliquer(programme.dans(dossiers, ELEMENT, EXERCICE))
    cliquer_quand_actif(programme.dans(depart, BOUTON, "Commencer"))
    choix = programme.fenetre("Choix du mot de passe")
    cliquer(programme.dans(choix, TEXTE_CACHE, "Mot de passe"))
    taper(MOT_DE_PASSE)
    touche("Return")

    etape("l'exercice")
    ecran = programme.fenetre(contenant=(BOUTON, "J'écoute"))
    ecoute = programme.dans(ecran, BOUTON, "J'écoute")
    saisie = programme.dans(ecran, TEXTE, "Ta réponse")
    # Four items; the first, right only at the second try, is drawn once more: five listens.
    entendus = []
    for tour in range(5):
        oreille.vider()
        cliquer_quand_actif(ecoute)
        item = oreille.son_ouvert()
        entendus.append(item)
        attendre(lambda: actif(saisie), "champ de réponse ouvert")
        if tour == 0:
            taper(FAUX)
            touche("Return")
            fermer_retour(programme, "Ce n'est pas la bonne réponse. Essaie encore.")
            # The wrong answer stays selected: typing replaces it.
        taper(reponse_juste(item))
        touche("Return")
        fermer_retour(programme, "C'est bien, continue.")
    question = programme.fenetre(contenant=(BOUTON, "Non"))
    if not any(nom(l).startswith("Bravo " + ELEVE + " !") for l in programme.tous(question, ETIQUETTE)):
        raise Echec("la question de fin n'est pas celle attendue")

    etape("la fin : Non, puis Non")
    cliquer(programme.dans(question, BOUTON, "Non"))
    bilan = programme.fenetre(contenant=(ETIQUETTE, "Veux-tu voir ton bilan ?"))
    cliquer(programme.dans(bilan, BOUTON, "Non"))
    return entendus


def texte_de(a):
    try:
        t = a.queryText()
        return t.getText(0, t.characterCount)
    except Exception:
        return ""


def visite_enseignant(programme, entendus):
    etape("le module enseignant")
    depart = programme.fenetre("Choix dossier")
    groupe = attendre(lambda: programme.tous(depart, LISTE_DEROULANTE), "listes du départ")[0]
    choisir_dans_liste_deroulante(programme, depart, groupe, GROUPE)
    cliquer(programme.dans(depart, BOUTON, "Accéder au module enseignant"))
    mot = programme.fenetre("Saisie du mot de passe")
    cliquer(programme.dans(mot, TEXTE_CACHE, "Mot de passe"))
    taper(MOT_DE_PASSE_ENSEIGNANT)
    touche("Return")

    bilans = programme.fenetre(ELEVE)  # the caption is the pupil shown
    programme.dans(bilans, BOUTON, "Gérer les groupes")  # teacher mode only
    reussis = programme.dans(bilans, TEXTE, "Items réussis")
    attendu = [cle(reponse_juste(i)) + "|1" for i in entendus[1:] if i != entendus[0]]
    # The views may join lines with Unicode line separators.
    attendre(lambda: re.split("[\n\u2028\u2029]", texte_de(reussis))[:len(attendu)] == attendu,
             "les items réussis de Zoé")
    cliquer(programme.dans(bilans, ONGLET, "Bilan détaillé"))
    detail = programme.dans(bilans, TEXTE, "Bilan détaillé")
    attendre(lambda: "Exercice sur [" + EXERCICE + "]" in texte_de(detail), "le bilan détaillé de Zoé")

    etape("Zoé est supprimée")
    cliquer(programme.dans(bilans, BOUTON, "Supprimer un élève"))
    # An alert is named by its text, as a screen reader announces it.
    texte_question = "Voulez-vous vraiment supprimer l'élève " + ELEVE + " de ce groupe ?"
    question = programme.fenetre(contenant=(ETIQUETTE, texte_question))
    assert role(question) == pyatspi.ROLE_ALERT and nom(question) == texte_question, \
        "la question n'est pas une alerte nommée par son texte"
    touche("Return")  # "Oui" is the default button
    attendre(lambda: texte_de(detail) == "", "les vues vidées")
    cliquer(programme.dans(bilans, BOUTON, "Quitter"))

    etape("le programme est quitté")
    depart = programme.fenetre("Choix dossier")
    cliquer(programme.dans(depart, BOUTON, "Quitter"))
    confirmation = programme.fenetre(contenant=(ETIQUETTE, "Veux-tu vraiment quitter le logiciel ?"))
    cliquer(programme.dans(confirmation, BOUTON, "OK"))


# --- With the keyboard only --------------------------------------------------------------------

def tabuler_jusqua(a, description, essais=14):
    """Tab until `a` has the keyboard focus."""
    for _ in range(essais):
        if focalise(a):
            return
        touche("Tab")
        time.sleep(0.15)
    attendre(lambda: focalise(a), f"le focus sur {description}", 2)


def clavier_depart(programme, nouvel_eleve, titre_mot_de_passe):
    """The start form with keys only: group, pupil (new, or typed), folder, Commencer, password."""
    p = programme.processus
    depart = programme.fenetre("Choix dossier")
    groupe, eleve = attendre(lambda: programme.tous(depart, LISTE_DEROULANTE), "listes du départ")[:2]
    donner_le_focus(p, "Choix dossier")
    tabuler_jusqua(groupe, "la liste des groupes")
    for _ in range(6):  # the arrows choose, one entry at a time
        if nom(groupe) == GROUPE:
            break
        touche("Down")
        time.sleep(0.2)
    attendre(lambda: nom(groupe) == GROUPE, f"le groupe {GROUPE} choisi au clavier")
    if nouvel_eleve:
        tabuler_jusqua(programme.dans(depart, BOUTON, "Nouvel élève"), "« Nouvel élève »")
        touche("Return")
        programme.fenetre("Nouvel élève")
        donner_le_focus(p, "Nouvel élève")
        taper(ELEVE_CLAVIER)
        touche("Return")
        donner_le_focus(p, "Choix dossier")
    else:
        tabuler_jusqua(eleve, "la liste des élèves")
        taper(ELEVE_CLAVIER[0])  # the first letter finds the entry
    attendre(lambda: nom(eleve) == ELEVE_CLAVIER, f"{ELEVE_CLAVIER} choisi")
    dossiers = programme.dans(depart, LISTE, "Exercices")
    tabuler_jusqua(dossiers, "la liste des exercices")
    # The arrows stand on the first entry; the next one is the exercise.
    touche("Down")
    attendre(lambda: any(nom(e) == EXERCICE and e.getState().contains(pyatspi.STATE_SELECTED)
                         for e in programme.tous(dossiers, ELEMENT)), f"« {EXERCICE} » choisi")
    commencer = programme.dans(depart, BOUTON, "Commencer")
    attendre(lambda: actif(commencer), "« Commencer » actif")
    touche("Return")
    programme.fenetre(titre_mot_de_passe)
    donner_le_focus(p, titre_mot_de_passe)
    taper(MOT_DE_PASSE_CLAVIER)
    touche("Return")
    ecran = programme.fenetre(contenant=(BOUTON, "J'écoute"))
    donner_le_focus(p, TITRE_EXERCICE, exact=False)
    return ecran


def clavier_ecouter(programme, ecran, oreille):
    """Enter on the exercise window: the item is played."""
    saisie = programme.dans(ecran, TEXTE, "Ta réponse")
    oreille.vider()
    touche("Return")
    item = oreille.son_ouvert()
    attendre(lambda: actif(saisie) and focalise(saisie), "le champ de réponse prêt")
    return item


def clavier_retour(programme, texte_attendu):
    """The feedback dialog, closed with Enter on its focused "Ok"."""
    f = programme.fenetre(contenant=(ETIQUETTE, texte_attendu))
    donner_le_focus(programme.processus, "Plumelune")
    attendre(lambda: focalise(programme.dans(f, BOUTON, "Ok")), "« Ok » prêt")
    touche("Return")
    attendre(lambda: not programme.dans(f, ETIQUETTE, texte_attendu, attente=False), "retour fermé")
    donner_le_focus(programme.processus, TITRE_EXERCICE, exact=False)


def visite_clavier(programme, oreille):
    etape("Léon, au clavier seulement")
    ecran = clavier_depart(programme, True, "Choix du mot de passe")
    entendus = []
    for _ in range(4):
        item = clavier_ecouter(programme, ecran, oreille)
        entendus.append(item)
        taper(reponse_juste(item))
        touche("Return")
        clavier_retour(programme, "C'est bien, continue.")
    question = programme.fenetre(contenant=(BOUTON, "Non"))
    if not any(nom(l).startswith("Bravo " + ELEVE_CLAVIER + " !") for l in programme.tous(question, ETIQUETTE)):
        raise Echec("la question de fin n'est pas celle attendue")
    donner_le_focus(programme.processus, TITRE)
    touche("Escape")  # "Non"
    programme.fenetre(contenant=(ETIQUETTE, "Veux-tu voir ton bilan ?"))
    donner_le_focus(programme.processus, TITRE)
    touche("Escape")
    return entendus


# --- Ways out from outside -------------------------------------------------------------------

def fenetre_x(ecran, processus, titre, exact):
    """The program's shown X window with that title (or beginning so), the topmost when several
    have it (a message box bears the main window's title), or None."""
    nom_utf8 = ecran.intern_atom("_NET_WM_NAME")
    utf8 = ecran.intern_atom("UTF8_STRING")
    pid = ecran.intern_atom("_NET_WM_PID")
    for w in reversed(ecran.screen().root.query_tree().children):  # top of the stack first
        try:
            if w.get_attributes().map_state != X.IsViewable:
                continue
            p = w.get_full_property(pid, X.AnyPropertyType)
            t = w.get_full_property(nom_utf8, utf8)
        except Exception:
            continue
        if not p or p.value[0] != processus.pid or not t:
            continue
        nom_x = t.value.decode("utf-8") if isinstance(t.value, bytes) else str(t.value)
        if nom_x == titre or (not exact and nom_x.startswith(titre)):
            return w
    return None


def au_bureau(processus, titre, exact, action):
    ecran = xdisplay.Display()
    try:
        w = attendre(lambda: fenetre_x(ecran, processus, titre, exact), f"la fenêtre X « {titre} »")
        action(ecran, w)
        ecran.sync()
    finally:
        ecran.close()


def donner_le_focus(processus, titre, exact=True):
    """What a window manager does for a window that appears: the keyboard goes to it. Xvfb runs
    no window manager, and the keys must reach the window without a click."""
    au_bureau(processus, titre, exact,
              lambda ecran, w: w.set_input_focus(X.RevertToParent, X.CurrentTime))
    time.sleep(0.2)


def fermer_comme_le_bureau(processus, titre, exact=True):
    """What a window manager sends on Alt+F4: WM_DELETE_WINDOW to the window so titled."""
    def fermer(ecran, w):
        protocoles = ecran.intern_atom("WM_PROTOCOLS")
        fermeture = ecran.intern_atom("WM_DELETE_WINDOW")
        message = xprotocol.event.ClientMessage(window=w, client_type=protocoles,
                                                data=(32, [fermeture, X.CurrentTime, 0, 0, 0]))
        w.send_event(message, event_mask=X.NoEventMask)
    au_bureau(processus, titre, exact, fermer)


def attendre_la_fin(processus, quoi):
    try:
        processus.wait(timeout=DELAI)
    except subprocess.TimeoutExpired:
        raise Echec(f"le programme ne s'est pas fermé après {quoi}")
    if processus.returncode != 0:
        raise Echec(f"le programme s'est terminé avec le code {processus.returncode} après {quoi}")


def interrompre(programme, oreille, fermeture):
    """An exercise begun, one wrong answer, then the program closed from outside."""
    ecran = clavier_depart(programme, False, "Saisie du mot de passe")
    clavier_ecouter(programme, ecran, oreille)
    taper(FAUX)
    touche("Return")
    texte = "Ce n'est pas la bonne réponse. Essaie encore."
    if fermeture == "fenetre":
        clavier_retour(programme, texte)
        fermer_comme_le_bureau(programme.processus, TITRE_EXERCICE, exact=False)
    else:
        programme.fenetre(contenant=(ETIQUETTE, texte))
        os.kill(programme.processus.pid, signal.SIGTERM)
    attendre_la_fin(programme.processus, fermeture)

# --- The studio: a teacher makes a folder, a pupil plays it -----------------------------------

DOSSIER_STUDIO = "Mots du studio"
ITEMS_STUDIO = [["l'eau"], ["Ecole", "École"], ["le chat"]]
ELEVE_STUDIO = "Lou"
MOT_DE_PASSE_STUDIO = "Soleil 3"
CODES = [("#ast#", "*"), ("#int#", "?"), ("#sla#", "/"), ("#ant#", "\\"), ("#2po#", ":"),
         ("#gui#", '"'), ("#inf#", "<"), ("#sup#", ">"), ("#pip#", "|"), ("#liv#", "£"),
         ("#exc#", "!"), ("#aro#", "@"), ("#apo#", "'")]


def decoder(nom):
    for code, caractere in CODES:
        nom = nom.replace(code, caractere)
    return nom


def orthographes(fichier):
    return [decoder(m) for m in fichier[:-4].split("£")]


def ouvrir_module_enseignant(programme):
    depart = programme.fenetre("Choix dossier")
    cliquer(programme.dans(depart, BOUTON, "Accéder au module enseignant"))
    mot = programme.fenetre("Saisie du mot de passe")
    cliquer(programme.dans(mot, TEXTE_CACHE, "Mot de passe"))
    taper(MOT_DE_PASSE_ENSEIGNANT)
    touche("Return")
    return programme.fenetre(contenant=(BOUTON, "Gérer les groupes"))


def quitter_depuis_depart(programme):
    depart = programme.fenetre("Choix dossier")
    cliquer(programme.dans(depart, BOUTON, "Quitter"))
    confirmation = programme.fenetre(contenant=(ETIQUETTE, "Veux-tu vraiment quitter le logiciel ?"))
    cliquer(programme.dans(confirmation, BOUTON, "OK"))


def visite_studio(programme, dossier_programme, capture=None):
    etape("le studio : un dossier de trois items")
    bilans = ouvrir_module_enseignant(programme)
    cliquer(programme.dans(bilans, BOUTON, "Créer ou modifier un exercice"))
    studio = programme.fenetre("Créer ou modifier un exercice")
    cliquer(programme.dans(studio, TEXTE, "Nom du nouveau dossier"))
    taper(DOSSIER_STUDIO)
    touche("Return")
    dossier = os.path.join(dossier_programme, "_Medias", DOSSIER_STUDIO)
    attendre(lambda: os.path.isdir(dossier), "le dossier créé")
    attendre(lambda: any(nom(e) == "Dossier : " + DOSSIER_STUDIO
                         for e in programme.tous(studio, ETIQUETTE)), "le dossier ouvert")
    for textes in ITEMS_STUDIO:
        cliquer_quand_actif(programme.dans(studio, BOUTON, "Nouvel item"))
        champ = programme.dans(studio, TEXTE, "Orthographe à ajouter")
        attendre(lambda: actif(champ), "le champ d'orthographe")
        # Clicked once: Return adds the spelling and leaves the field ready for the next one
        # (and xdotool's --sync would wait forever for a pointer already there).
        cliquer(champ)
        for texte in textes:
            taper(texte)
            touche("Return")
        cliquer(programme.dans(studio, BOUTON, "Enregistrer le texte"))
    etape("la voix de synthèse pour les trois items")
    cliquer_quand_actif(programme.dans(studio, BOUTON, "Voix de synthèse pour les items sans son"))
    attendus = sorted(["l#apo#eau.wav", "Ecole£École.wav", "le chat.wav"])
    attendre(lambda: sorted(n for n in os.listdir(dossier) if n.endswith(".wav")) == attendus,
             "les trois sons", delai=60)
    attendre(lambda: actif(programme.dans(studio, BOUTON, "Nouvel item")), "la voix finie", delai=30)
    if capture:
        subprocess.run(["import", "-window", "root", capture], check=False, timeout=DELAI)
        etape(f"capture d'écran du studio : {capture}")
    cliquer(programme.dans(studio, BOUTON, "Fermer"))
    bilans = programme.fenetre(contenant=(BOUTON, "Gérer les groupes"))
    cliquer(programme.dans(bilans, BOUTON, "Quitter"))
    quitter_depuis_depart(programme)
    return attendus


def visite_eleve_studio(programme, oreille):
    etape("Lou fait l'exercice du studio")
    depart = programme.fenetre("Choix dossier")
    listes = attendre(lambda: programme.tous(depart, LISTE_DEROULANTE), "listes du départ")
    groupe, eleve = listes[0], listes[1]
    choisir_dans_liste_deroulante(programme, depart, groupe, GROUPE)
    cliquer_quand_actif(programme.dans(depart, BOUTON, "Nouvel élève"))
    dialogue = programme.fenetre("Nouvel élève")
    cliquer(programme.dans(dialogue, TEXTE, "Prénom"))
    taper(ELEVE_STUDIO)
    touche("Return")
    attendre(lambda: nom(eleve) == ELEVE_STUDIO, "Lou choisie dans la liste")
    dossiers = programme.dans(depart, LISTE, "Exercices")
    cliquer(programme.dans(dossiers, ELEMENT, DOSSIER_STUDIO))
    cliquer_quand_actif(programme.dans(depart, BOUTON, "Commencer"))
    choix = programme.fenetre("Choix du mot de passe")
    cliquer(programme.dans(choix, TEXTE_CACHE, "Mot de passe"))
    taper(MOT_DE_PASSE_STUDIO)
    touche("Return")

    ecran = programme.fenetre(contenant=(BOUTON, "J'écoute"))
    ecoute = programme.dans(ecran, BOUTON, "J'écoute")
    saisie = programme.dans(ecran, TEXTE, "Ta réponse")
    reponses = []
    for _ in range(len(ITEMS_STUDIO)):
        oreille.vider()
        cliquer_quand_actif(ecoute)
        item = oreille.son_ouvert()
        attendre(lambda: actif(saisie), "champ de réponse ouvert")
        # The last spelling: for the two-spellings item, the second one.
        reponse = orthographes(item)[-1]
        reponses.append((item, reponse))
        taper(reponse)
        touche("Return")
        fermer_retour(programme, "C'est bien, continue.")
    question = programme.fenetre(contenant=(BOUTON, "Non"))
    cliquer(programme.dans(question, BOUTON, "Non"))
    bilan = programme.fenetre(contenant=(ETIQUETTE, "Veux-tu voir ton bilan ?"))
    cliquer(programme.dans(bilan, BOUTON, "Non"))
    return reponses


def verifier_studio(dossier_programme, sons, reponses):
    dossier = os.path.join(dossier_programme, "_Medias", DOSSIER_STUDIO)
    for son in sons:
        with open(os.path.join(dossier, son), "rb") as f:
            entete = f.read(44)
        # 16-bit mono PCM at 22,050 Hz.
        if entete[:4] != b"RIFF" or struct.unpack_from("<HHIIHH", entete, 20) != \
                (1, 1, 22050, 44100, 2, 16):
            raise Echec(f"{son} n'est pas un WAV PCM 16 bits mono à 22 050 Hz")
    if sorted(i for i, _ in reponses) != sorted(sons):
        raise Echec(f"items entendus : {reponses}")
    groupe = os.path.join(dossier_programme, "_Bilans", GROUPE)
    detail = [DATE + r" à \d\d:\d\d:\d\d - 3 items - Exercice sur \[" + re.escape(DOSSIER_STUDIO) + r"\]"]
    for _, reponse in reponses:
        detail.append(re.escape(reponse + " : [") + DUREE + re.escape(" - 1 essai]"))
    detail += ["", r"Temps exercice : " + DUREE + r"\.", re.escape("Score : 15/15."), "-" * 68]
    comparer(os.path.join(groupe, ELEVE_STUDIO + "_Detail.txt"), detail)
    comparer(os.path.join(groupe, ELEVE_STUDIO + "_Exos.txt"),
             [DATE + re.escape(" | Terminé    |   15 /  15 | " + DOSSIER_STUDIO)])
    comparer(os.path.join(groupe, ELEVE_STUDIO + ".txt"),
             [re.escape(cle(r) + "|1") for _, r in reponses])


# --- What the files must hold ------------------------------------------------------------------

DATE = r"\d\d/\d\d/\d{4}"
DUREE = r"(?:\d+ h )?(?:\d+ min )?\d+ s"


def lignes_attendues(entendus):
    x = entendus[0]
    autres = entendus[1:]
    detail = [DATE + r" à \d\d:\d\d:\d\d - 4 items - Exercice sur \[" + re.escape(EXERCICE) + r"\]",
              re.escape(attendu_du_nom(x) + " : " + FAUX) + r" \[" + DUREE + r" - 2 essais\]"]
    for item in autres:
        suffixe = " essai (déjà tenté)]" if item == x else " essai]"
        detail.append(re.escape(reponse_juste(item) + " : [") + DUREE + re.escape(" - 1" + suffixe))
    detail += ["", r"Temps exercice : " + DUREE + r"\.", re.escape("Score : 19/20."), "-" * 68]
    exos = [DATE + re.escape(" | Terminé    |   19 /  20 | " + EXERCICE)]
    historique = [re.escape(cle(reponse_juste(i)) + "|1") for i in autres if i != x]
    return detail, exos, historique


def comparer(fichier, motifs):
    octets = open(fichier, "rb").read()
    if octets and not octets.endswith(b"\r\n"):
        raise Echec(f"{fichier} : dernière ligne sans CR LF")
    lignes = octets.decode("cp1252").split("\r\n")[:-1] if octets else []
    if len(lignes) != len(motifs):
        raise Echec(f"{fichier} : {len(lignes)} lignes au lieu de {len(motifs)}\n" + "\n".join(lignes))
    for n, (ligne, motif) in enumerate(zip(lignes, motifs), 1):
        if not re.fullmatch(motif, ligne):
            raise Echec(f"{fichier}, ligne {n} : « {ligne} » ne correspond pas à {motif}")


def lignes_clavier(entendus, interruptions):
    """Léon's records: the whole exercise, then each interrupted one after a wrong answer."""
    detail = [DATE + r" à \d\d:\d\d:\d\d - 4 items - Exercice sur \[" + re.escape(EXERCICE) + r"\]"]
    for item in entendus:
        detail.append(re.escape(reponse_juste(item) + " : [") + DUREE + re.escape(" - 1 essai]"))
    detail += ["", r"Temps exercice : " + DUREE + r"\.", re.escape("Score : 20/20."), "-" * 68]
    exos = [DATE + re.escape(" | Terminé    |   20 /  20 | " + EXERCICE)]
    for _ in range(interruptions):
        detail += [DATE + r" à \d\d:\d\d:\d\d - 4 items - Exercice sur \[" + re.escape(EXERCICE) + r"\]",
                   r".+ : " + re.escape(FAUX), r"Exercice interrompu après " + DUREE + r"\.", "-" * 68]
        exos.append(DATE + re.escape(" | Interrompu |    0 /  20 | " + EXERCICE))
    # An exercise left before its item was answered right changes no count.
    historique = [re.escape(cle(reponse_juste(i)) + "|1") for i in entendus]
    return detail, exos, historique


def verifier_clavier(dossier_programme, entendus, interruptions):
    groupe = os.path.join(dossier_programme, "_Bilans", GROUPE)
    if len(entendus) != 4 or len(set(entendus)) != 4:
        raise Echec(f"items entendus : {entendus}")
    detail, exos, historique = lignes_clavier(entendus, interruptions)
    comparer(os.path.join(groupe, ELEVE_CLAVIER + "_Detail.txt"), detail)
    comparer(os.path.join(groupe, ELEVE_CLAVIER + "_Exos.txt"), exos)
    comparer(os.path.join(groupe, ELEVE_CLAVIER + ".txt"), historique)
    comparer(os.path.join(groupe, ELEVE_CLAVIER + "_Pwd.txt"), [re.escape(MOT_DE_PASSE_CLAVIER)])
    journaux = [n for n in os.listdir(dossier_programme) if re.fullmatch(r"Bilan_\d+\.txt", n)]
    if journaux:
        raise Echec(f"le journal de la séance est resté : {journaux}")


def verifier(dossier_programme, entendus):
    groupe = os.path.join(dossier_programme, "_Bilans", GROUPE)
    noms = sorted(os.listdir(groupe))
    attendus = sorted(ELEVE + s for s in (".txt", "_Detail.txt", "_Exos.txt", "_Pwd.txt"))
    if noms != attendus:
        raise Echec(f"fichiers du groupe : {noms} au lieu de {attendus}")
    # Four items; the first, answered after a wrong try, comes back once more.
    if len(entendus) != 5 or len(set(entendus)) != 4 or entendus.count(entendus[0]) != 2:
        raise Echec(f"items entendus : {entendus}")
    detail, exos, historique = lignes_attendues(entendus)
    comparer(os.path.join(groupe, ELEVE + "_Detail.txt"), detail)
    comparer(os.path.join(groupe, ELEVE + "_Exos.txt"), exos)
    comparer(os.path.join(groupe, ELEVE + ".txt"), historique)
    comparer(os.path.join(groupe, ELEVE + "_Pwd.txt"), [re.escape(MOT_DE_PASSE)])
    journaux = [n for n in os.listdir(dossier_programme) if re.fullmatch(r"Bilan_\d+\.txt", n)]
    if journaux:
        raise Echec(f"le journal de la séance est resté : {journaux}")


# --- Setting the stage and clearing it -------------------------------------------------------

def preparer(exe, demo, racine):
    dossier = os.path.join(racine, "Plumelune")
    shutil.copytree(demo, dossier, ignore=shutil.ignore_patterns(".gitkeep"))
    shutil.copy2(exe, os.path.join(dossier, "plumelune"))
    # The sound and printing modules live beside the executable.
    for module in glob.glob(os.path.join(os.path.dirname(exe), "libplumelune_*.so")):
        shutil.copy2(module, dossier)
    # Drawn at its designed size: Qt's accessibility tree gives places in design pixels, and the
    # mouse clicks on the screen's.
    with open(os.path.join(dossier, "plumelune.ini"), "ab") as ini:
        ini.write(b"\r\nECHELLE = 1\r\n")
    return dossier


def ouvrir_le_bureau():
    """What the visits need of the desktop: the X connection kept open (an X server resets when
    its last client leaves, and forgets the keys mapped here), the accent keys mapped, and the
    accessibility bus. Returns the program's environment."""
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    if not x11.XOpenDisplay(None):
        raise Echec(f"impossible d'ouvrir l'écran {os.environ['DISPLAY']}")
    for code, touches in TOUCHES_ACCENTS.items():
        subprocess.run(["xmodmap", "-e", f"keycode {code} = {touches}"], check=True, timeout=DELAI)
    env = dict(os.environ)
    env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
    env["QT_QPA_PLATFORM"] = "xcb"  # make test sets offscreen for the other tests
    env["LC_ALL"] = "C.UTF-8"
    bus = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                           env=env, start_new_session=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    A_ARRETER.append(lambda: arreter(bus))
    time.sleep(0.5)
    return env


def lancer(dossier, env):
    """The program started in its folder, as a pupil starts it."""
    processus = subprocess.Popen(["./plumelune"], cwd=dossier, env=env, start_new_session=True)
    A_ARRETER.append(lambda: arreter(processus))
    return Programme(processus)


def jouer(prefixe, secondes, garder, corps):
    """A journey: a program folder of its own, a time limit, the verdict CTest reads, and what
    it started stopped and its folder removed whatever happened. `corps(racine)` raises Echec
    on a fault."""
    if not os.environ.get("DISPLAY"):
        print("e2e: aucun écran (lancez sous xvfb-run)", file=sys.stderr)
        return 1

    def trop_long(*_):
        raise Echec(f"le scénario dépasse {secondes} s")
    signal.signal(signal.SIGALRM, trop_long)
    signal.alarm(secondes)
    racine = tempfile.mkdtemp(prefix=prefixe)
    try:
        corps(racine)
        print("1 passed, 0 failed")
        return 0
    except Echec as e:
        print(f"e2e: ÉCHEC : {e}", file=sys.stderr)
        print("0 passed, 1 failed")
        return 1
    finally:
        signal.alarm(0)
        while A_ARRETER:  # the last started first
            A_ARRETER.pop()()
        if garder:
            print(f"e2e: dossier gardé : {racine}")
        else:
            shutil.rmtree(racine, ignore_errors=True)


def arreter(processus):
    if processus and processus.poll() is None:
        try:
            os.killpg(processus.pid, signal.SIGTERM)
            processus.wait(timeout=5)
        except Exception:
            try:
                os.killpg(processus.pid, signal.SIGKILL)
            except Exception:
                pass


def main():
    arguments = argparse.ArgumentParser()
    arguments.add_argument("--exe", required=True)
    arguments.add_argument("--demo", required=True)
    arguments.add_argument("--garder", action="store_true", help="keep the program folder")
    a = arguments.parse_args()

    def visites(racine):
        dossier = preparer(a.exe, a.demo, racine)
        env = ouvrir_le_bureau()
        oreille = Oreille(os.path.join(dossier, "_Medias", EXERCICE))
        programme = lancer(dossier, env)
        processus = programme.processus
        entendus = visite(programme, oreille)
        etape(f"items entendus : {', '.join(entendus)}")
        attendre_la_fin(processus, "l'au revoir")
        verifier(dossier, entendus)
        etape("les quatre fichiers de Zoé sont justes")

        programme = lancer(dossier, env)
        processus = programme.processus
        visite_enseignant(programme, entendus)
        attendre_la_fin(processus, "Quitter")
        restes = os.listdir(os.path.join(dossier, "_Bilans", GROUPE))
        if restes:
            raise Echec(f"fichiers restés après la suppression : {restes}")
        etape("les fichiers de Zoé sont supprimés")

        programme = lancer(dossier, env)
        processus = programme.processus
        entendus = visite_clavier(programme, oreille)
        attendre_la_fin(processus, "l'au revoir")
        verifier_clavier(dossier, entendus, 0)
        etape("les quatre fichiers de Léon sont justes")

        programme = lancer(dossier, env)
        processus = programme.processus
        etape("le gestionnaire de fenêtres ferme le formulaire de départ : la question de Quitter")
        programme.fenetre("Choix dossier")
        fermer_comme_le_bureau(processus, "Choix dossier")
        question = "Veux-tu vraiment quitter le logiciel ?"
        programme.fenetre(contenant=(ETIQUETTE, question))
        donner_le_focus(processus, TITRE)
        touche("Escape")  # "Annuler": the start form stays
        attendre(lambda: not any(programme.dans(f, ETIQUETTE, question, attente=False)
                                 for f in programme.fenetres()), "la question fermée")
        programme.fenetre("Choix dossier")
        etape("le gestionnaire de fenêtres ferme l'exercice en cours")
        interrompre(programme, oreille, "fenetre")
        verifier_clavier(dossier, entendus, 1)

        etape("SIGTERM pendant le message après une réponse")
        programme = lancer(dossier, env)
        interrompre(programme, oreille, "signal")
        verifier_clavier(dossier, entendus, 2)
        etape("chaque interruption est écrite une fois, le journal est parti")

        programme = lancer(dossier, env)
        processus = programme.processus
        capture = os.path.join(racine, "studio.png") if a.garder else None
        sons = visite_studio(programme, dossier, capture)
        attendre_la_fin(processus, "le studio")
        etape("le dossier du studio est écrit : " + ", ".join(sons))

        oreille.fermer()
        oreille = Oreille(os.path.join(dossier, "_Medias", DOSSIER_STUDIO))
        programme = lancer(dossier, env)
        processus = programme.processus
        reponses = visite_eleve_studio(programme, oreille)
        attendre_la_fin(processus, "l'exercice du studio")
        verifier_studio(dossier, sons, reponses)
        etape("les fichiers de Lou sont justes")

    return jouer("plumelune-e2e-", 400, a.garder, visites)


if __name__ == "__main__":
    sys.exit(main())
