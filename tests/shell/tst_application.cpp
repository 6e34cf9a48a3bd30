#include "data/dbcontainer.h"
#include "data/dberror.h"
#include "shell/application.h"
#include "shell/messages.h"

#include <QTest>
#include <QTimer>
#include <functional>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {
// An object whose event handler throws what the test hands it.
class TThrower : public QObject {
public:
    std::function<void()> raise;

protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User)
            raise();
        return QObject::event(e);
    }
};
} // namespace

// The application object is the general error handler: whatever an event handler throws is
// shown, and the event loop goes on.
class TestApplication : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { TMessages::setTesting(true); }
    void init() { TMessages::shown().clear(); }

    void exceptionIsShown_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("database error") << 0 << u"database disk image is malformed"_s;
        QTest::newRow("start-up error keeps its line breaks")
            << 1 << u"Unable to locate database \n\nPath:/nowhere/Quillon.qdb"_s;
        QTest::newRow("any other exception") << 2 << u"bad allocation"_s;
    }

    void exceptionIsShown() {
        QFETCH(int, kind);
        QFETCH(QString, message);
        TThrower thrower;
        thrower.raise = [kind] {
            switch (kind) {
            case 0:
                throw TDbError(u"database disk image is malformed"_s);
            case 1:
                throw TStartupError(u"Unable to locate database \r\rPath:/nowhere/Quillon.qdb"_s);
            default:
                throw std::runtime_error("bad allocation");
            }
        };
        QEvent event(QEvent::User);
        QCOMPARE(QCoreApplication::sendEvent(&thrower, &event), false);
        QCOMPARE(TMessages::shown(), QStringList{message});
    }

    void eventLoopCarriesOn() {
        TThrower thrower;
        thrower.raise = [] { throw TDbError(u"locked"_s); };
        QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
        bool later = false;
        QTimer::singleShot(0, &thrower, [&later] { later = true; });
        QTRY_VERIFY(later);
        QCOMPARE(TMessages::shown(), QStringList{u"locked"_s});
    }
};

int main(int argc, char* argv[]) {
    TQuillonApplication app(argc, argv);
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
