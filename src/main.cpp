#include "app/CSettingsProfile.h"
#include "app/CVemtApp.h"
#include "app/VemtIni.h"
#include "app/ui/CQtMessageSink.h"
#include "app/ui/CVemtStartup.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication qtApp(argc, argv);
    Q_INIT_RESOURCE(vemt);  // the resources live in a static library
    QApplication::setApplicationName(QStringLiteral("Vemt"));
    QApplication::setOrganizationName(QStringLiteral("Vemt"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/vemt.svg")));

    CVemtApp app;
    CSettingsProfile profile;
    CQtMessageSink messages;
    CVemtStartup startup(app, profile, messages, VemtIniPath());

    QStringList documents = QApplication::arguments();
    documents.removeFirst();
    if (!startup.InitInstance(documents)) return 0;

    const int status = QApplication::exec();
    startup.ExitInstance();
    return status;
}
