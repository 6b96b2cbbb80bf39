#!/usr/bin/env python3
"""Writes a class of twelve pupils into a group folder, their records spanning the autumn term,
as the program writes them (Windows-1252, CR LF): for screenshots of the teacher's views."""
import os
import random
import sys

groupe = sys.argv[1]
os.makedirs(groupe, exist_ok=True)
hasard = random.Random(7)
dossiers = {
    "Les animaux": ["chat", "chien", "cheval", "lapin", "oiseau", "poisson", "souris", "vache"],
    "Accents et apostrophes": ["fenêtre", "forêt", "garçon", "l'eau", "l'école", "maïs", "où",
                               "très", "élève"],
    "Deux écritures": ["École", "Éléphant", "Étoile", "Été"],
}
fautes = {"chat": "cha", "cheval": "chevale", "oiseau": "oiseaux", "poisson": "poison",
          "fenêtre": "fenetre", "forêt": "foret", "garçon": "garcon", "l'eau": "lo",
          "l'école": "lécole", "maïs": "mais", "où": "ou", "très": "tres", "élève": "éleve",
          "École": "Ecol", "Éléphant": "Elefant", "Étoile": "Etoile", "Été": "Ete",
          "chien": "chein", "lapin": "lapain", "souris": "souri", "vache": "vach"}
eleves = ["Paul", "Léa", "Zoé", "Noah", "Inès", "Hugo", "Chloé", "Adam", "Jade", "Louis",
          "Manon", "Gabriel"]


def ecrire(nom, lignes):
    with open(os.path.join(groupe, nom), "wb") as f:
        f.write("".join(l + "\r\n" for l in lignes).encode("cp1252"))


def duree(s):
    return f"{s // 60} min {s % 60} s" if s >= 60 else f"{s} s"


for n, eleve in enumerate(eleves):
    if eleve == "Léa":
        continue  # a new pupil: she chooses her password in the screenshots
    niveau = 0.55 + 0.4 * hasard.random()
    exos, detail, reussites = [], [], {}
    for e in range(hasard.randint(6, 18)):
        mois, jour = hasard.choice([(9, 0), (10, 0), (11, 0), (12, 0)])
        jour = hasard.randint(1, 7 if mois == 12 else 28)
        date = f"{jour:02d}/{mois:02d}/2026"
        dossier = hasard.choice(list(dossiers))
        mots = hasard.sample(dossiers[dossier], min(4, len(dossiers[dossier])))
        interrompu = hasard.random() < 0.2
        faits = mots[:2] if interrompu else mots
        detail.append(f"{date} à {hasard.randint(9, 16):02d}:{hasard.randint(0, 59):02d}:"
                      f"{hasard.randint(0, 59):02d} - {len(mots)} items - Exercice sur [{dossier}]")
        score, total = 0, 0
        for mot in faits:
            juste = hasard.random() < niveau + e * 0.015
            if juste:
                detail.append(f"{mot} : [{hasard.randint(3, 20)} s - 1 essai]")
                score += 5
                reussites[mot] = reussites.get(mot, 0) + 1
            else:
                essais = hasard.randint(2, 3)
                detail.append(f"{mot} : " + " - ".join([fautes.get(mot, mot + "e")] * (essais - 1))
                              + f" [{duree(hasard.randint(20, 90))} - {essais} essais]")
                score += max(0, 5 - 2 * (essais - 1))
            total += 5
        temps = duree(hasard.randint(40, 300))
        if interrompu:
            detail += ["", f"Exercice interrompu après {temps}.", "-" * 68]
        else:
            detail += ["", f"Temps exercice : {temps}.", f"Score : {score}/{total}.", "-" * 68]
        etat = "Interrompu" if interrompu else "Terminé"
        exos.append((mois, jour, f"{date} | {etat:<10} | {score:>4} / {len(mots) * 5:>3} | {dossier}"))
    exos.sort()
    ecrire(eleve + "_Exos.txt", [l for _, _, l in exos])
    ecrire(eleve + "_Detail.txt", detail)
    ecrire(eleve + ".txt", [f"{mot}|{min(r, 3)}" for mot, r in reussites.items()])
    if eleve == "Paul":
        ecrire(eleve + "_Pwd.txt", ["Soleil"])
