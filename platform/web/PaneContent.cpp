// SPDX-License-Identifier: GPL-3.0-or-later
#include "PaneContent.h"

#include <QVariantList>

namespace Platform {

namespace {

// The parser adds a document node by node; a MutationObserver sees each one between two parser
// turns. Text counts its characters, an element a little for its markup and its attributes.
const char kWatch[] = R"JS((() => {
  const limit = %1;
  let size = 0;
  const watch = new MutationObserver((records) => {
    for (const r of records) {
      if (r.type === 'characterData') {
        size += Math.max(0, r.target.length - (r.oldValue || '').length);
        continue;
      }
      for (const n of r.addedNodes) {
        if (n.nodeType === Node.TEXT_NODE) size += n.length;
        else if (n.nodeType === Node.ELEMENT_NODE) {
          size += 16;
          for (const a of n.attributes) size += a.name.length + a.value.length;
        }
      }
    }
    if (size > limit) {
      watch.disconnect();
      window.__paneTooLarge = true;
      window.stop();
    }
  });
  watch.observe(document, {childList: true, subtree: true, characterData: true, characterDataOldValue: true});
  document.addEventListener('DOMContentLoaded', () => watch.disconnect());
})())JS";

// [content type, bytes of the document as received, stopped for its size, share of the text that
// is control characters or undecodable bytes]
const char kFacts[] = R"JS((() => {
  const nav = performance.getEntriesByType('navigation')[0];
  const text = document.body ? document.body.textContent.slice(0, 65536) : '';
  let odd = 0;
  for (let i = 0; i < text.length; ++i) {
    const c = text.charCodeAt(i);
    if ((c < 32 && c !== 9 && c !== 10 && c !== 13) || c === 127 || c === 0xfffd) ++odd;
  }
  return [document.contentType, nav ? nav.decodedBodySize : 0, !!window.__paneTooLarge,
          text.length ? odd / text.length : 0];
})())JS";

} // namespace

QWebEngineScript DocumentSizeWatch() {
    QWebEngineScript script;
    script.setName(QStringLiteral("pane-document-size"));
    script.setSourceCode(QString::fromLatin1(kWatch).arg(kMaxPaneDocument));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(false);
    return script;
}

QString PageFactsScript() {
    return QString::fromLatin1(kFacts);
}

bool ShowablePage(const QVariant& facts) {
    const QVariantList f = facts.toList();
    if (f.size() != 4)
        return false;
    const QString type = f[0].toString().toLower();
    const bool html = type == u"text/html" || type == u"application/xhtml+xml";
    if (!html && !type.startsWith(u"image/"))
        return false; // plain text, a download, a script: shown raw it is no advertisement
    if (f[2].toBool() || f[1].toLongLong() > kMaxPaneDocument)
        return false;
    // Random bytes served as a page decode to control characters and replacement marks; a real
    // page has next to none.
    return f[3].toDouble() <= 0.01;
}

} // namespace Platform
