#include "ui/platform/Prechargement.h"

#include "core/setup/ListesDepart.h"
#include "ui/platform/ImagesQt.h"

#include <QThread>

#ifndef Q_OS_WIN
#include <fontconfig/fontconfig.h>
#endif

#include <atomic>
#include <system_error>

// The pictures live in the static library of the windows: this reference keeps them in the
// program, and registers them before the forms are created and before Qt starts.
void Prechargement::EnregistrerImages() {
    Q_INIT_RESOURCE(art);
}

namespace {
std::atomic<Prechargement*> enCours{nullptr};
} // namespace

Prechargement::Prechargement(const QStringList& imagesRessources) : m_attendues(imagesRessources) {
    // Qt takes as its main thread the first one that asks which thread it runs on: this one
    // must ask before the worker's first Qt object does.
    QThread::currentThread();
    try {
        m_fil = std::thread([this] { Travailler(); });
    } catch (const std::system_error&) {
        m_attendues.clear(); // no thread: every picture is decoded where it is needed
        return;
    }
    enCours = this;
}

Prechargement::~Prechargement() {
    enCours = nullptr;
    {
        const std::lock_guard<std::mutex> garde(m_verrou);
        m_fin = true;
    }
    m_changement.notify_all();
    if (m_fil.joinable())
        m_fil.join();
}

void Prechargement::Ajouter(const QStringList& imagesRessources) {
    {
        const std::lock_guard<std::mutex> garde(m_verrou);
        if (!m_fil.joinable())
            return;
        m_attendues += imagesRessources;
    }
    m_changement.notify_all();
}

void Prechargement::AjouterAjustee(const QString& chemin, const QSize& cadre, qreal ratio) {
    {
        const std::lock_guard<std::mutex> garde(m_verrou);
        if (!m_fil.joinable() || chemin.isEmpty())
            return;
        m_ajustements.insert(chemin, {cadre, ratio});
        m_attendues.append(chemin);
    }
    m_changement.notify_all();
}

QStringList Prechargement::Restantes() {
    const std::lock_guard<std::mutex> garde(m_verrou);
    return m_attendues + m_pretes.keys();
}

void Prechargement::Travailler() {
    bool policesLues = false;
    bool premiere = true;
    for (;;) {
        QString chemin;
        Ajustement ajustement;
        {
            std::unique_lock<std::mutex> garde(m_verrou);
            // The first picture is wanted first; the fonts come next, before the others.
            if (!policesLues && (!premiere || m_attendues.isEmpty())) {
                garde.unlock();
#ifndef Q_OS_WIN
                FcInit(); // Windows' fonts come from the system, without fontconfig
#endif
                {
                    const std::lock_guard<std::mutex> fait(m_verrou);
                    m_policesLues = true;
                }
                m_changement.notify_all();
                // And the collation the start form sorts its lists with, loaded once by ICU.
                QStringList noms{QStringLiteral("b"), QStringLiteral("a")};
                TrierPourLesGens(noms);
                policesLues = true;
                continue;
            }
            m_changement.wait(garde, [this] { return m_fin || !m_attendues.isEmpty(); });
            if (m_attendues.isEmpty())
                return;
            chemin = m_attendues.first();
            ajustement = m_ajustements.value(chemin);
        }
        QImage image = ChargerImage(chemin);
        if (ajustement.Cadre.isValid())
            image = ImageAjustee(image, ajustement.Cadre, ajustement.Ratio, true);
        premiere = false;
        {
            const std::lock_guard<std::mutex> garde(m_verrou);
            m_attendues.removeFirst();
            m_pretes.insert(chemin, std::move(image));
        }
        m_changement.notify_all();
    }
}

void Prechargement::AttendrePolices() {
    Prechargement* const p = enCours;
    if (!p)
        return;
    std::unique_lock<std::mutex> garde(p->m_verrou);
    p->m_changement.wait(garde, [p] { return p->m_policesLues || p->m_fin; });
}

std::optional<QImage> Prechargement::Prendre(const QString& cheminRessource) {
    Prechargement* const p = enCours;
    if (!p)
        return std::nullopt;
    std::unique_lock<std::mutex> garde(p->m_verrou);
    p->m_changement.wait(
        garde, [p, &cheminRessource] { return !p->m_attendues.contains(cheminRessource); });
    const auto it = p->m_pretes.find(cheminRessource);
    if (it == p->m_pretes.end())
        return std::nullopt;
    QImage image = std::move(it.value());
    p->m_pretes.erase(it);
    return image;
}
