#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellagon"));
    QApplication::setOrganizationName(QStringLiteral("Vellagon"));
    return 0;
}
