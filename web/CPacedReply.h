#ifndef CPACEDREPLY_H
#define CPACEDREPLY_H

#include <QElapsedTimer>
#include <QNetworkReply>
#include <QTimer>

// A network reply that hands its bytes over in portions spread over time.
// The page's HTML parser works through whatever has arrived in one go once
// it starts (for a large page: hundreds of milliseconds with the window
// frozen); fed in portions it works in short turns. The portions shrink
// while the window is busy and grow while it keeps up.
class CPacedReply : public QNetworkReply
{
    Q_OBJECT
public:
    // An empty content type leaves it to the page to tell from the name.
    CPacedReply(const QNetworkRequest& request, const QByteArray& arrData,
                const QByteArray& arrContentType, QObject* parent = nullptr);

    void abort() override;
    qint64 bytesAvailable() const override;
    bool isSequential() const override { return true; }

    static constexpr int IntervalMs = 30;
    static constexpr int SmallPortion = 8 * 1024;
    static constexpr int LargePortion = 64 * 1024;
    // The parser holds back its first turn for a while; what arrives
    // meanwhile is parsed at once, so only the first portion comes before.
    static constexpr int WarmUpMs = 300;

protected:
    qint64 readData(char* pData, qint64 nMax) override;

private slots:
    void onTick();

private:
    QByteArray m_arrData;
    qint64 m_nRead = 0;
    qint64 m_nAvailable = 0;
    int m_nPortion = SmallPortion;
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_nLastTickMs = 0;
};

#endif
