#include "core/records/Journal.h"

#include "core/Etat.h"
#include "core/Services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>

#include <future>
#include <memory>

namespace {

// This run's lock, held until the program ends (the journal is deleted just before).
std::unique_ptr<QLockFile> verrouDuJournal;
std::future<bool> journalEnCours;

const QString prefixeVerrou = QStringLiteral(".");
const QString suffixeVerrou = QStringLiteral(".lock");

QString VerrouDe(const QString& journal) {
    const QFileInfo f(journal);
    return f.absolutePath() + u'/' + prefixeVerrou + f.fileName() + suffixeVerrou;
}

// Only names the program draws: "Bilan_" and a number without leading zeros below 10000000.
bool EstUnJournal(const QString& nom) {
    static const QRegularExpression forme(QStringLiteral("^Bilan_(0|[1-9][0-9]{0,6})\\.txt$"));
    return forme.match(nom).hasMatch();
}

std::unique_ptr<QLockFile> NouveauVerrou(const QString& journal) {
    auto v = std::make_unique<QLockFile>(VerrouDe(journal));
    // A copy runs all day: only a dead process makes its lock stale, never the lock's age.
    v->setStaleLockTime(0);
    return v;
}

} // namespace

int NettoyerJournauxAbandonnes() {
    const QDir dossier(Etat.DossierProgramme);
    int supprimes = 0;
    const QStringList journaux =
        dossier.entryList({QStringLiteral("Bilan_*.txt")}, QDir::Files | QDir::Hidden);
    for (const QString& nom : journaux) {
        const QString journal = dossier.filePath(nom);
        if (!EstUnJournal(nom) || !QFileInfo::exists(VerrouDe(journal)))
            continue;
        const auto verrou = NouveauVerrou(journal);
        // Taken only when no running copy holds it: the copy that made it is gone.
        if (!verrou->tryLock(0))
            continue;
        if (QFile::remove(journal))
            ++supprimes;
        verrou->unlock(); // removes the lock file
    }
    // A copy stopped between deleting its journal and letting its lock go.
    const QStringList verrous =
        dossier.entryList({prefixeVerrou + QStringLiteral("Bilan_*.txt") + suffixeVerrou},
                          QDir::Files | QDir::Hidden);
    for (const QString& nom : verrous) {
        const QString journal = dossier.filePath(nom.mid(
            prefixeVerrou.size(), nom.size() - prefixeVerrou.size() - suffixeVerrou.size()));
        if (!EstUnJournal(QFileInfo(journal).fileName()) || QFileInfo::exists(journal))
            continue;
        const auto verrou = NouveauVerrou(journal);
        if (verrou->tryLock(0))
            verrou->unlock();
    }
    return supprimes;
}

bool CreerJournal() {
    verrouDuJournal.reset(); // a new run in the same process (tests) lets the old lock go
    NettoyerJournauxAbandonnes();
    // Two copies started together may draw the same number: the lock, then the exclusive
    // creation make the second one draw again instead of sharing (and later deleting) the
    // first one's file.
    for (int essai = 0; essai < 1000; ++essai) {
        const int n = Services::Hasard().Tirer(10000000);
        const QString chemin = Etat.DossierProgramme + QStringLiteral("Bilan_") +
                               QString::number(n) + QStringLiteral(".txt");
        Etat.FichierJournal = chemin;
        if (QFileInfo::exists(chemin))
            continue;
        auto verrou = NouveauVerrou(chemin);
        if (!verrou->tryLock(0)) {
            if (verrou->error() == QLockFile::LockFailedError)
                continue; // another copy holds this number
            // A folder that takes no lock takes no journal either, or if it does, the journal
            // simply has no lock: no later start will ever remove it.
            verrou.reset();
        }
        QFile f(chemin);
        if (f.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            verrouDuJournal = std::move(verrou);
            return true;
        }
        verrou.reset();
        if (!QFileInfo::exists(chemin))
            return false; // the folder refuses new files
    }
    Etat.FichierJournal.clear(); // never keep a name that belongs to another copy
    return false;
}

void CreerJournalEnFond() {
    journalEnCours = std::async(std::launch::async, CreerJournal);
}

void AttendreJournalEnFond() {
    if (journalEnCours.valid())
        journalEnCours.wait();
}

bool JournalCree() {
    if (journalEnCours.valid())
        return journalEnCours.get();
    return CreerJournal();
}
