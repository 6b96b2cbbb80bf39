#pragma once
// Start-up work done on a thread of its own from the very start of main(), while Qt connects
// to the display and the main thread builds the forms: the pictures of the two forms shown
// first are decoded, the font configuration the first text needs is read, and the collation
// the start form sorts its lists with is loaded.

#include <QHash>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

class Prechargement {
public:
    // Starts at once with these pictures stored with the forms (":/art/..."), in this order.
    // Before the QApplication exists, only JPEG pictures: libjpeg needs nothing of Qt's.
    // The destructor waits for the thread; one Prechargement at a time.
    explicit Prechargement(const QStringList& imagesRessources);
    ~Prechargement();
    Prechargement(const Prechargement&) = delete;
    Prechargement& operator=(const Prechargement&) = delete;

    // More pictures, decoded after those asked before; pictures Qt's own readers decode (PNG)
    // once the QApplication exists.
    void Ajouter(const QStringList& imagesRessources);
    // A picture file to show in a frame of `cadre` design pixels drawn at `ratio`: decoded and
    // fitted to the frame's pixels (ImageAjustee, enlarged if need be) on the thread.
    void AjouterAjustee(const QString& chemin, const QSize& cadre, qreal ratio);
    // The pictures asked for and not taken yet.
    QStringList Restantes();

    // Registers the pictures stored with the forms, so they can be named before Qt starts.
    static void EnregistrerImages();

    // Waits until the font configuration is read, if the thread is reading it: read at the
    // same moment by the main thread's first text, it would be read twice over, each thread
    // parsing every configuration file (a duplicate fontconfig builds and then throws away).
    static void AttendrePolices();

    // The picture decoded ahead, waited for if need be, handed over once. A picture not asked
    // for, already taken, or with no Prechargement running gives nothing: the caller decodes it.
    static std::optional<QImage> Prendre(const QString& cheminRessource);

private:
    void Travailler();

    QStringList m_attendues; // asked for, not yet decoded, in order
    QHash<QString, QImage> m_pretes;
    struct Ajustement {
        QSize Cadre;
        qreal Ratio = 1;
    };
    QHash<QString, Ajustement> m_ajustements;
    bool m_policesLues = false;
    bool m_fin = false;
    std::mutex m_verrou;
    std::condition_variable m_changement;
    std::thread m_fil;
};
