#include "app/toolbaricons.h"

#include <QHash>
#include <QPixmap>

#include "platform/programfolder.h"

// The images are drawn for the one size the toolbar shows (16 x 16), so loading one is a
// single small decode; the style's own icons would decode several sizes each.
QIcon ToolbarIcon(const QString &name)
{
    static QHash<QString, QIcon> loaded;
    const QString file = ProgramFolder() + QStringLiteral("toolbar/") + name + QStringLiteral(".png");
    const auto it = loaded.constFind(file);
    if (it != loaded.constEnd())
        return *it;
    const QPixmap image(file);
    const QIcon icon = image.isNull() ? QIcon() : QIcon(image);
    loaded.insert(file, icon);
    return icon;
}
