#include "platform/shellopen.h"

#include "platform/messagebox.h"
#include "platform/shell.h"

int ShellOpen(const QString &fileName)
{
    const int code = TryShellOpen(fileName);
    if (code <= 32) {
        const QString message = ShellOpenMessage(code, fileName);
        if (!message.isEmpty())
            MessageBox(mkError, message);
    }
    return code;
}

bool MoveToRecycleBin(const QString &fileName)
{
    if (TryMoveToRecycleBin(fileName))
        return true;
    MessageBox(mkError, RecycleBinFailureMessage(fileName));
    return false;
}
