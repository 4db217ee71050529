#include <QtTest>
class TstWindows : public QObject {
    Q_OBJECT
private slots:
    void nada() {}
};
QTEST_MAIN(TstWindows)
#include "tst_windows.moc"
