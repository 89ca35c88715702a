#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QUrl>

namespace tvs {

class Config;

// The photo pager of a car (car detail, auction detail): one page per photo,
// an automatic turn every 5 seconds and swiping both ways, wrapping around at
// either end, with dots that follow the shown page. The host hands it the car's
// code and its photo paths once they have arrived; the page (PhotoPagerView.qml)
// shows `pageAddress(i)`, wraps the swipes itself and reports where they settle.
class PhotoPager : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY pagesChanged)
    Q_PROPERTY(int currentPage READ currentPage NOTIFY currentPageChanged)
    Q_PROPERTY(bool running READ isRunning NOTIFY runningChanged)

public:
    static constexpr int kTurnIntervalMs = 5000;

    explicit PhotoPager(QObject *parent = nullptr);

    // Photo paths in photo-list order.
    QStringList pagerShowCarImgList;
    // The page the pager moves from next.
    int imgIndex = 0;

    // Builds the pages and starts the automatic turn; without paths there is no
    // pager and no timer (false). Only the first call builds; later ones are ignored.
    bool setUp(const QString &productCode, const QStringList &photoPaths, const Config *config);

    // imageFile of page i: the car picture address of photo i (empty when out of range).
    Q_INVOKABLE QUrl pageAddress(int index) const;

    // The timer's step: one page forward, from the last back to the first.
    Q_INVOKABLE void autoPaging();
    // The view came to rest on `page` after a swipe: the dots follow it, and the
    // next automatic turn moves on from it.
    Q_INVOKABLE void pageSettled(int page);

    // Stops the automatic turn for good (the host is about to disappear): photos
    // that arrive later still build the pages, but start no timer.
    void stop();

    int count() const { return int(pagerShowCarImgList.size()); }
    int currentPage() const { return m_currentPage; }
    bool isRunning() const { return m_timer.isActive(); }

signals:
    void pagesChanged();
    void currentPageChanged();
    void runningChanged();
    // The view shows page `index`, arriving as the next page.
    void pageShown(int index);

private:
    void setCurrentPage(int page);

    QString m_productCode;
    const Config *m_config = nullptr;
    QTimer m_timer;
    int m_currentPage = 0;
    bool m_built = false;
    bool m_stopped = false;
};

} // namespace tvs
