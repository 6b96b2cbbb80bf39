#include "ui/platform/SurfaceFenetre.h"

#include <QBackingStore>
#include <QImage>
#include <QWidget>
#include <qpa/qplatformbackingstore.h>

#include <cstdint>
#include <system_error>
#include <thread>

#ifndef Q_OS_WIN
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

// The pages of the surface's memory made present and writable, its content untouched: the
// painting may begin before this ends.
void AmenerLesPages(const QImage& image) {
#ifdef MADV_POPULATE_WRITE
    const long page = sysconf(_SC_PAGESIZE);
    if (page <= 0 || image.isNull())
        return;
    const auto debut = reinterpret_cast<std::uintptr_t>(image.constBits());
    const std::uintptr_t aligne = debut & ~std::uintptr_t(page - 1);
    const std::size_t longueur = std::size_t(image.sizeInBytes()) + (debut - aligne);
    try {
        std::thread([aligne, longueur] {
            // Refused by older systems (EINVAL): the painting then brings the pages in.
            madvise(reinterpret_cast<void*>(aligne), longueur, MADV_POPULATE_WRITE);
        }).detach();
    } catch (const std::system_error&) {
    }
#else
    (void)image;
#endif
}

} // namespace

void PreparerSurface(QWidget* fenetre) {
    QBackingStore* surface = fenetre->backingStore();
    if (!surface || surface->size() == fenetre->size())
        return;
    surface->resize(fenetre->size());
    // The platform's own surface: the one Qt hands out for painting exists only during it.
    QPaintDevice* memoire = surface->handle() ? surface->handle()->paintDevice() : nullptr;
    if (memoire && memoire->devType() == QInternal::Image)
        AmenerLesPages(*static_cast<QImage*>(memoire));
}
