#pragma once

#include "Record.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QUrl>

namespace tvs {

class Config;

// The photo pager of a car (car detail, auction detail): one page per photo,
// an automatic turn every 5 seconds and swiping both ways, wrapping around at
// either end, with dots that follow the shown page. The host hands it the car's
// code and the rows of the car's photo list once they have arrived; the page
// (PhotoPagerView.qml) shows `pageAddress(i)` and reports settled swipes.
class PhotoPager : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY pagesChanged)
    Q_PROPERTY(int currentPage READ currentPage NOTIFY currentPageChanged)
    Q_PROPERTY(int shownIndex READ shownIndex NOTIFY shownIndexChanged)
    Q_PROPERTY(bool running READ isRunning NOTIFY runningChanged)

public:
    static constexpr int kTurnIntervalMs = 5000;

    explicit PhotoPager(QObject *parent = nullptr);

    // Photo paths in photo-list order (rows without `sCarPhotoPath` skipped).
    QStringList pagerShowCarImgList;
    // The page the pager moves from next.
    int imgIndex = 0;

    // Builds the pages and starts the automatic turn. Rows without a photo path
    // are skipped; when none is left there is no pager and no timer (false).
    // Only the first call builds; later ones are ignored.
    bool setUp(const QString &productCode, const Records &photoRows, const Config *config);

    // imageFile of page i: the car picture address of photo i (empty when out of range).
    Q_INVOKABLE QUrl pageAddress(int index) const;

    // The timer's step: one page forward, from the last back to the first.
    Q_INVOKABLE void autoPaging();
    // The neighbours of page p with wrap-around; each moves `imgIndex` to the
    // page it returns. -1 when there are no pages.
    Q_INVOKABLE int pageAfter(int page);
    Q_INVOKABLE int pageBefore(int page);
    // A swipe from the page shown to its neighbour.
    Q_INVOKABLE void swipeForward();
    Q_INVOKABLE void swipeBack();
    // The view came to rest on `page` after a swipe: the dots follow it.
    Q_INVOKABLE void pageSettled(int page);

    // Stops the automatic turn for good (the host is about to disappear): a
    // photo list that arrives later still builds the pages, but no timer.
    void stop();

    int count() const { return int(pagerShowCarImgList.size()); }
    int currentPage() const { return m_currentPage; }
    int shownIndex() const { return m_shownIndex; }
    bool isRunning() const { return m_timer.isActive(); }
    bool isBuilt() const { return m_built; }
    const QTimer &timer() const { return m_timer; }

signals:
    void pagesChanged();
    void currentPageChanged();
    void shownIndexChanged();
    void runningChanged();
    // The view shows page `index`; `forward` when it arrives as the next page.
    void pageShown(int index, bool forward);

private:
    void show(int index, bool forward);
    void setCurrentPage(int page);

    QString m_productCode;
    const Config *m_config = nullptr;
    QTimer m_timer;
    int m_currentPage = 0;
    int m_shownIndex = -1;
    bool m_built = false;
    bool m_stopped = false;
};

} // namespace tvs
