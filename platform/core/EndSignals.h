#pragma once
// SIGINT, SIGTERM and SIGHUP as a Qt signal, so a program can end its event loop in order (writing what
// it keeps at exit) instead of being cut off. The handler only writes a byte that the loop reads.

#include <QObject>
#include <memory>

class QSocketNotifier;

class CEndSignals : public QObject {
    Q_OBJECT
public:
    explicit CEndSignals(QObject* parent = nullptr);
    ~CEndSignals() override;

signals:
    void ended();

private:
    QSocketNotifier* m_notifier = nullptr;
};
