#pragma once

#include <QString>

// File kinds by extension, as the file panel, the drop of files and the tag dialogs see them.
enum TFileKind { fkDocument, fkStyleSheet, fkImage, fkSound, fkVideo, fkUnknown };

// CSS is a style sheet although it is on the HTML extension list; images, sounds and
// videos by their extensions; other extensions of the HTML list are documents.
TFileKind FileKindOf(const QString &fileName);
