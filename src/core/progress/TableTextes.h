#pragma once
// Hash tables keyed by text for reading years of records: Qt's own string hash is built to
// resist crafted keys and costs more than the rest of a line's reading; the keys here are the
// items of one school, so a plain FNV-1a over the UTF-16 units does.

#include <QString>
#include <QStringView>

#include <unordered_map>

// Transparent: a table keyed by QString is also searched with a view, without a copy.
struct HachageTexte {
    using is_transparent = void;
    size_t operator()(QStringView t) const noexcept {
        quint64 h = 14695981039346656037ull;
        for (const QChar c : t) {
            h ^= c.unicode();
            h *= 1099511628211ull;
        }
        return size_t(h);
    }
};

struct EgaliteTexte {
    using is_transparent = void;
    bool operator()(QStringView a, QStringView b) const noexcept { return a == b; }
};

// Keys that are views must outlive the table: the text they point into stays alive meanwhile.
template <typename Cle, typename Valeur>
using TableTextes = std::unordered_map<Cle, Valeur, HachageTexte, EgaliteTexte>;
