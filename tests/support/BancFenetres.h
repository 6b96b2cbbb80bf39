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

#include <QDir>

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

    // Who the start form chose: a group (none when empty) and a named pupil (a visitor when
    // empty).
    static void ListesDuDepart(const QString& groupe, const QString& eleve) {
        Etat.Choix.Groupe = groupe.isEmpty() ? std::nullopt : std::optional<QString>(groupe);
        Etat.Choix.Eleve = eleve.isEmpty() ? EleveChoisi{} : EleveChoisi{GenreEleve::Nomme, eleve};
    }
    BancFenetres(const BancFenetres&) = delete;
    BancFenetres& operator=(const BancFenetres&) = delete;
};
