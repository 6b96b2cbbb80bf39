#include "Doubles.h"

#include "core/Chemins.h"
#include "core/Etat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTimer>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <utility>

#include <fcntl.h>
#include <unistd.h>
#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/time.h>
#endif

QStringList MessagesDouble::Textes() const {
    QStringList r;
    for (const AppelMessage& a : Appels)
        r.append(a.Texte);
    return r;
}

void MessagesDouble::Noter(const char* genre, const QString& t) {
    Appels.append({QString::fromLatin1(genre), t});
    if (Observateur)
        Observateur(Appels.last());
}

bool MessagesDouble::Repondre(const char* genre, const QString& t) {
    Noter(genre, t);
    if (Reponses.isEmpty())
        return ReponseParDefaut;
    return Reponses.takeFirst();
}

void ShellDouble::Appeler(const QString& genre, const QString& cible, Echec echec) {
    Appels.append({genre, cible});
    const auto echoue = Echecs.constFind(cible);
    if (echoue == Echecs.constEnd() || !echec)
        return;
    const QString message = *echoue;
    if (Differer)
        m_enRetard.append([echec, message] { echec(message); });
    else
        echec(message);
}

void ShellDouble::RepondreEnRetard() {
    const auto enRetard = std::exchange(m_enRetard, {});
    for (const auto& reponse : enRetard)
        reponse();
}

QStringList ShellDouble::Cibles() const {
    QStringList r;
    for (const AppelShell& a : Appels)
        r.append(a.Cible);
    return r;
}

int HasardDouble::Tirer(int n) {
    Bornes.append(n);
    const int r = Tirages.isEmpty() ? 0 : Tirages.takeFirst();
    return n <= 0 ? 0 : r % n;
}

bool SonDouble::Ouvrir(QString* erreur) {
    if (Illisibles.contains(QFileInfo(Fichier).fileName())) {
        if (erreur)
            *erreur = QStringLiteral("Impossible de lire le son « %1 » : illisible").arg(Fichier);
        return false;
    }
    return true;
}

void CaptureDouble::Demarrer() {
    ++Demarrages;
    m_etat = SansMicro ? EtatCapture::Erreur : EtatCapture::EnCours;
}

void CaptureDouble::Arreter() {
    if (m_etat == EtatCapture::EnCours)
        m_etat = EtatCapture::Arretee;
}

QString CaptureDouble::Erreur() const {
    return m_etat == EtatCapture::Erreur ? QStringLiteral("Aucun micro n'a été trouvé.")
                                         : QString();
}

SonPcm CaptureDouble::Prendre() {
    return std::exchange(Son, SonPcm());
}

QByteArray WavTonalite(double secondes, int frequence, int canaux, double silenceAutour) {
    const auto trames = qint64((secondes + 2 * silenceAutour) * frequence);
    QByteArray donnees(trames * canaux * 2, Qt::Uninitialized);
    for (qint64 i = 0; i < trames; ++i) {
        const double t = double(i) / frequence - silenceAutour;
        const double v = (t >= 0 && t < secondes) ? 12000 * std::sin(2 * M_PI * 440 * t) : 0.0;
        for (int c = 0; c < canaux; ++c)
            qToLittleEndian(qint16(std::lround(v)), donnees.data() + (i * canaux + c) * 2);
    }
    return EnteteWav(canaux, frequence, 16, quint32(donnees.size())) + donnees;
}

QByteArray EnteteWav(int canaux, int frequence, int bits, quint32 octetsDonnees) {
    QByteArray e;
    auto u32 = [&e](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        e.append(b, 4);
    };
    auto u16 = [&e](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        e.append(b, 2);
    };
    e.append("RIFF");
    u32(36 + octetsDonnees);
    e.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(quint16(canaux));
    u32(quint32(frequence));
    u32(quint32(frequence * canaux * bits / 8));
    u16(quint16(canaux * bits / 8));
    u16(quint16(bits));
    e.append("data");
    u32(octetsDonnees);
    return e;
}

int Crete(const QVector<qint16>& s) {
    int c = 0;
    for (const qint16 v : s)
        c = std::max(c, std::abs(int(v)));
    return c;
}

bool SyntheseDouble::Disponible(QString* raison) {
    if (Absente && raison)
        *raison = QStringLiteral("La voix de synthèse n'est pas installée sur cet ordinateur.");
    return !Absente;
}

void SyntheseDouble::Dire(const QString& texte, const QString& sortie,
                          std::function<void(const QString&)> fini) {
    Dits.append(texte);
    const int generation = ++m_generation;
    const bool echec = Absente || Echecs.contains(texte);
    QTimer::singleShot(0, [this, generation, echec, texte, sortie, fini] {
        if (generation != m_generation)
            return; // cancelled
        if (!echec)
            EcrireOctets(sortie, WavTonalite(0.2 + 0.02 * double(texte.size()), 22050));
        if (fini)
            fini(echec ? QStringLiteral("la voix a échoué") : QString());
    });
}

void SyntheseDouble::Annuler() {
    ++Annulations;
    ++m_generation;
}

QString ChoixFichierDouble::Ouvrir(QWidget*, const QString& titre, const QString&) {
    Titres.append(titre);
    return Reponses.isEmpty() ? QString() : Reponses.takeFirst();
}

QString ChoixFichierDouble::Enregistrer(QWidget*, const QString& titre, const QString& propose,
                                        const QString&) {
    Titres.append(titre);
    Proposes.append(propose);
    return Reponses.isEmpty() ? QString() : Reponses.takeFirst();
}

bool CorbeilleDouble::Jeter(const QString& chemin) {
    if (!Disponible)
        return false;
    QDir().mkpath(Dossier);
    if (!QFile::rename(chemin, AvecSeparateur(Dossier) + QFileInfo(chemin).fileName()))
        return false;
    Jetes.append(chemin);
    return true;
}

EnvironnementTest::EnvironnementTest() {
    Services::InstallerMessages(&Messages);
    Services::InstallerHorloge(&Horloge);
    Services::InstallerHasard(&Hasard);
    Services::InstallerPause(&Pause);
    Services::InstallerSon(&Son);
    Services::InstallerShell(&Shell);
    Services::InstallerImprimante(&Imprimante);
    Services::InstallerCapture(&Capture);
    Services::InstallerSynthese(&Synthese);
    Services::InstallerChoixFichier(&ChoixFichier);
    Services::InstallerCorbeille(&Corbeille);
    Programme = AvecSeparateur(Dossier.path());
    Corbeille.Dossier = Programme + QStringLiteral("corbeille");
    Etat.DossierProgramme = Programme;
    Etat.Reinitialiser();
    QDir::setCurrent(Dossier.path());
}

EnvironnementTest::~EnvironnementTest() {
    QDir::setCurrent(QDir::tempPath());
    Services::InstallerMessages(nullptr);
    Services::InstallerHorloge(nullptr);
    Services::InstallerHasard(nullptr);
    Services::InstallerPause(nullptr);
    Services::InstallerSon(nullptr);
    Services::InstallerShell(nullptr);
    Services::InstallerImprimante(nullptr);
    Services::InstallerCapture(nullptr);
    Services::InstallerSynthese(nullptr);
    Services::InstallerChoixFichier(nullptr);
    Services::InstallerCorbeille(nullptr);
}

FichierNomBrut::FichierNomBrut(const QString& dossier, const QByteArray& nom)
    : m_chemin(QFile::encodeName(AvecSeparateur(dossier)) + nom) {
    const int fd = ::open(m_chemin.constData(), O_WRONLY | O_CREAT, 0644);
    Cree = fd >= 0;
    if (Cree)
        ::close(fd);
}

FichierNomBrut::~FichierNomBrut() {
    ::unlink(m_chemin.constData());
}

QByteArray LireOctets(const QString& chemin) {
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void EcrireOctets(const QString& chemin, const QByteArray& octets) {
    QDir().mkpath(QFileInfo(chemin).absolutePath());
    QFile f(chemin);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(octets);
}

void PreparerPaulDeCM1(EnvironnementTest& env, const QByteArray& historique) {
    Etat.CheminBilans = env.Programme + "_Bilans/";
    Etat.Choix.Groupe = "CM1";
    Etat.DossierGroupe = Etat.CheminBilans + "CM1/";
    Etat.NomEleve = "Paul";
    EcrireOctets(Etat.DossierGroupe + "Paul.txt", historique);
    EcrireOctets(Etat.DossierGroupe + "Paul_Detail.txt", "");
    EcrireOctets(Etat.DossierGroupe + "Paul_Exos.txt", "");
    Etat.FichierJournal = env.Programme + "Bilan_1.txt";
    EcrireOctets(Etat.FichierJournal, "");
    Etat.Choix.DossierExercice = env.Programme + "_Medias/Animaux";
}

bool CassesConfondues(const QStringList& noms) {
#ifdef Q_OS_WIN
    QSet<QString> vus;
    for (const QString& n : noms) {
        if (vus.contains(n.toLower()))
            return true;
        vus.insert(n.toLower());
    }
#else
    (void)noms;
#endif
    return false;
}

bool Dater(const QString& chemin, const QDateTime& quand) {
#ifdef Q_OS_WIN
    // A folder opens only with the backup flag; the handle is closed at once, so that nothing
    // keeps the file from being removed.
    const HANDLE h =
        CreateFileW(reinterpret_cast<const wchar_t*>(chemin.utf16()), FILE_WRITE_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    // 100-ns intervals since 1601.
    const quint64 t = quint64(quand.toMSecsSinceEpoch() + 11644473600000LL) * 10000ULL;
    FILETIME ft{DWORD(t & 0xffffffffu), DWORD(t >> 32)};
    const bool ok = SetFileTime(h, nullptr, &ft, &ft);
    CloseHandle(h);
    return ok;
#else
    const time_t secondes = time_t(quand.toSecsSinceEpoch());
    const timeval temps[2] = {{secondes, 0}, {secondes, 0}};
    return utimes(QFile::encodeName(chemin).constData(), temps) == 0;
#endif
}
