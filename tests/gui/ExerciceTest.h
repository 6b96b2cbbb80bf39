#pragma once
// A whole exercise on the real forms, offscreen: the program folder, the media and records
// roots, a pupil (or a visitor) and his files, and the start form's part scripted.

#include "BancFenetres.h"
#include "core/Etat.h"
#include "core/records/FichiersEleve.h"
#include "core/records/Reussites.h"
#include "ui/Fenetres.h"
#include "ui/Pilote.h"
#include "ui/exercise/FenetreExercice.h"

#include <QDialog>
#include <QDir>

// The 68-dash rule, CR LF ended, as the record files hold it.
inline QByteArray Regle() {
    return QByteArray(68, '-') + "\r\n";
}
// Text as the record files hold it: Windows-1252 with CR LF.
inline QByteArray Ligne(const char* utf8) {
    return QString::fromUtf8(utf8).toLatin1() + "\r\n";
}

class ExerciceTest : public BancFenetres {
public:
    QString Journal;

    ExerciceTest() {
        Etat.PremiereActivation = false; // the tests open the exercises themselves
        QDir().mkpath(Bilans + "CM1");
        Journal = env.Programme + "Bilan_1.txt";
        Etat.FichierJournal = Journal;
        CreerFichierVide(Journal);
    }

    // An exercise folder holding these items (their sound files are never decoded here).
    QString Dossier(const QString& nom, const QStringList& items) {
        const QString d = Medias + nom;
        QDir().mkpath(d);
        for (const QString& i : items)
            EcrireOctets(d + "/" + i, "RIFF");
        return d;
    }

    // An exercise of `n` items "mot001.wav"... opened, as the item-count choice finds it.
    void Offrir(int n) {
        QStringList items;
        for (int i = 1; i <= n; ++i)
            items.append(QStringLiteral("mot%1.wav").arg(i, 3, 10, QLatin1Char('0')));
        const QString dossier = Dossier(QStringLiteral("Mots"), items);
        Etat.Exercice.Ouvrir(dossier, BilansExercice::DuProgramme(dossier));
    }

    QString FichierEleve(const QString& eleve, const char* suffixe) const {
        return Etat.CheminBilans + "CM1/" + eleve + QString::fromLatin1(suffixe);
    }

    // What the start form does once the pupil ("" for a visitor) has chosen `dossier`.
    void ScripterDepart(const QString& eleve, const QString& dossier) {
        modal.Modal.Ajouter("Form2", [this, eleve, dossier](QDialog*) {
            Etat.Choix.Groupe = "CM1";
            Etat.DossierGroupe = Etat.CheminBilans + "CM1/";
            Etat.NomEleve = eleve;
            if (!eleve.isEmpty()) {
                for (const char* s : {SuffixeHistorique, SuffixeDetail, SuffixeExos})
                    if (!QFile::exists(FichierEleve(eleve, s)))
                        CreerFichierVide(FichierEleve(eleve, s));
            }
            ChargerReussites();
            Etat.Choix.DossierExercice = dossier;
            return 1;
        });
    }

    void Ouvrir(const QString& eleve, const QString& dossier) {
        ScripterDepart(eleve, dossier);
        Pilote::NouvelExercice();
    }
};
