#include "PhotoPager.h"

#include "Config.h"

#include <QLoggingCategory>

namespace tvs {

namespace {
Q_LOGGING_CATEGORY(lcPager, "tvs.pager", QtInfoMsg)
}

PhotoPager::PhotoPager(QObject *parent) : QObject(parent)
{
    m_timer.setInterval(kTurnIntervalMs);
    m_timer.setSingleShot(false);
    connect(&m_timer, &QTimer::timeout, this, &PhotoPager::autoPaging);
}

bool PhotoPager::setUp(const QString &productCode, const Records &photoRows, const Config *config)
{
    if (m_built)
        return false;
    QStringList paths;
    for (const Record &row : photoRows) {
        if (row.contains(QStringLiteral("sCarPhotoPath")))
            paths.append(row.value(QStringLiteral("sCarPhotoPath")));
    }
    if (paths.isEmpty()) {
        if (!photoRows.isEmpty())
            qCInfo(lcPager) << "photo list of" << productCode << "has rows but no photo path: no pager";
        return false;
    }
    m_built = true;
    m_productCode = productCode;
    m_config = config;
    pagerShowCarImgList = paths;
    if (imgIndex < 0 || imgIndex >= paths.size())
        imgIndex = 0;
    emit pagesChanged();
    if (!m_stopped) {
        m_timer.start();
        emit runningChanged();
    }
    setCurrentPage(imgIndex);
    show(imgIndex, true);
    return true;
}

QUrl PhotoPager::pageAddress(int index) const
{
    if (!m_config || index < 0 || index >= pagerShowCarImgList.size())
        return {};
    return m_config->carPictureUrl(m_productCode, pagerShowCarImgList.at(index));
}

void PhotoPager::autoPaging()
{
    if (pagerShowCarImgList.isEmpty())
        return;
    imgIndex = imgIndex >= count() - 1 ? 0 : imgIndex + 1;
    show(imgIndex, true);
    setCurrentPage(imgIndex);
}

int PhotoPager::pageAfter(int page)
{
    if (pagerShowCarImgList.isEmpty() || page < 0)
        return -1;
    imgIndex = page + 1 >= count() ? 0 : page + 1;
    return imgIndex;
}

int PhotoPager::pageBefore(int page)
{
    if (pagerShowCarImgList.isEmpty() || page < 0)
        return -1;
    imgIndex = page - 1 < 0 ? count() - 1 : page - 1;
    return imgIndex;
}

void PhotoPager::swipeForward()
{
    const int next = pageAfter(m_shownIndex);
    if (next < 0)
        return;
    show(next, true);
    setCurrentPage(next);
}

void PhotoPager::swipeBack()
{
    const int previous = pageBefore(m_shownIndex);
    if (previous < 0)
        return;
    show(previous, false);
    setCurrentPage(previous);
}

void PhotoPager::pageSettled(int page)
{
    if (page < 0 || page >= count())
        return;
    // The next automatic turn moves on from the page the dealer swiped to.
    imgIndex = page;
    if (m_shownIndex != page) {
        m_shownIndex = page;
        emit shownIndexChanged();
    }
    setCurrentPage(page);
}

void PhotoPager::stop()
{
    m_stopped = true;
    if (!m_timer.isActive())
        return;
    m_timer.stop();
    emit runningChanged();
}

void PhotoPager::show(int index, bool forward)
{
    if (m_shownIndex != index) {
        m_shownIndex = index;
        emit shownIndexChanged();
    }
    emit pageShown(index, forward);
}

void PhotoPager::setCurrentPage(int page)
{
    if (m_currentPage == page)
        return;
    m_currentPage = page;
    emit currentPageChanged();
}

} // namespace tvs
