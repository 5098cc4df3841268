#include "editor/DrawCursors.h"

#include <QPixmap>

// The cursor pictures are compiled into the editor's static library; they must be
// registered before the first use.
static void InitCursorResources()
{
    Q_INIT_RESOURCE(cursors);
}

namespace {

QCursor Picture(const char* name, int hotX, int hotY)
{
    static const bool registered = (InitCursorResources(), true);
    (void)registered;
    const QPixmap pixmap(QStringLiteral(":/cursors/%1.svg").arg(QString::fromLatin1(name)));
    if (pixmap.isNull()) return QCursor(Qt::ArrowCursor);
    return QCursor(pixmap, hotX, hotY);
}

}  // namespace

QCursor CursorFor(EDrawCursor cursor)
{
    switch (cursor) {
    case EDrawCursor::SizeNWSE: return QCursor(Qt::SizeFDiagCursor);
    case EDrawCursor::SizeNS: return QCursor(Qt::SizeVerCursor);
    case EDrawCursor::SizeNESW: return QCursor(Qt::SizeBDiagCursor);
    case EDrawCursor::SizeWE: return QCursor(Qt::SizeHorCursor);
    case EDrawCursor::SizeAll: return QCursor(Qt::SizeAllCursor);
    case EDrawCursor::Select: {
        static const QCursor select = Picture("select", 1, 1);
        return select;
    }
    case EDrawCursor::Pen: {
        static const QCursor pen = Picture("pen", 1, 30);
        return pen;
    }
    case EDrawCursor::Fill: {
        static const QCursor fill = Picture("fill", 3, 29);
        return fill;
    }
    case EDrawCursor::EyeDrop: {
        static const QCursor eyeDrop = Picture("eyedrop", 1, 30);
        return eyeDrop;
    }
    }
    return QCursor(Qt::ArrowCursor);
}
