#include <QApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTextStream(stdout) << "{\"success\": true, \"result\": {}}\n";
    return 0;
}
