#pragma once
// Where every test of the real windows starts: the service doubles installed, the shared state
// of a fresh program in a fresh program folder, its exercise and records roots, and the
// windows created. The windows set none of the shared state when created, so what a test sets
// before or after this stays set.

#include "Doubles.h"
#include "DoublesUi.h"
#include "core/Etat.h"
#include "ui/Fenetres.h"

#include "ui/setup/FenetreDepart.h"

#include <QComboBox>
#include <QDir>
#include <QSignalBlocker>

class BancFenetres {
public:
    EnvironnementTest env;
    ModalInstalle modal;
    QString Medias; // the exercise root, with its final separator
    QString Bilans; // the records root, with its final separator

    BancFenetres() {
        Medias = env.Programme + "_Medias/";
        Bilans = env.Programme + "_Bilans/";
        QDir().mkpath(Medias);
        QDir().mkpath(Bilans);
        Etat.CheminMedias = Medias;
        Etat.CheminBilans = Bilans;
        Fenetres::Creer();
    }
    ~BancFenetres() { Fenetres::Detruire(); }

    // What the start form's two lists show, set without running its handlers: a group (none
    // when empty) and a named pupil (a visitor when empty), each entry standing for what the
    // form's own entries stand for.
    static void ListesDuDepart(const QString& groupe, const QString& eleve) {
        QComboBox* groupes = Fenetres::Depart->cChoixGroupe;
        QComboBox* eleves = Fenetres::Depart->cChoixUtilisateur;
        const QSignalBlocker silence1(groupes);
        const QSignalBlocker silence2(eleves);
        groupes->clear();
        if (groupe.isEmpty())
            groupes->addItem(QStringLiteral("Choisis ton groupe"));
        else
            groupes->addItem(groupe, groupe);
        eleves->clear();
        if (eleve.isEmpty())
            eleves->addItem(QStringLiteral("Visiteur"), int(GenreEleve::Visiteur));
        else
            eleves->addItem(eleve, int(GenreEleve::Nomme));
    }
    BancFenetres(const BancFenetres&) = delete;
    BancFenetres& operator=(const BancFenetres&) = delete;
};
