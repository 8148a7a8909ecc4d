#pragma once

#include <QString>
#include <QUrl>

namespace vexlo {

// The addresses the About box shows and opens. The project pages live under
// names reserved for documentation until Vexlo has a site of its own; the
// search link opens a general web search engine.
struct AboutLinks {
    static QUrl homePage() { return QUrl(QStringLiteral("https://www.vexlo.example.org/")); }
    static QUrl secondPage() { return QUrl(QStringLiteral("https://www.vexlo.example.net/")); }
    static QUrl searchEngine() { return QUrl(QStringLiteral("https://duckduckgo.com/")); }

    // An address as the box shows it: its host name alone.
    static QString shown(const QUrl &url) { return url.host(); }
};

} // namespace vexlo
