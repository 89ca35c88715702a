#include "PhotoPager.h"

#include "AppLogging.h"
#include "Config.h"

namespace tvs {

PhotoPager::PhotoPager(QObject *parent) : QObject(parent)
{
    m_timer.setInterval(kTurnIntervalMs);
    m_timer.setSingleShot(false);
    connect(&m_timer, &QTimer::timeout, this, &PhotoPager::autoPaging);
}

bool PhotoPager::setUp(const QString &productCode, const QStringList &photoPaths, const Config *config)
{
    if (m_built)
        return false;
    if (photoPaths.isEmpty()) {
        qCInfo(lcPager) << "car" << productCode << "has no photo: no pager";
        return false;
    }
    m_built = true;
    m_productCode = productCode;
    m_config = config;
    pagerShowCarImgList = photoPaths;
    if (imgIndex < 0 || imgIndex >= count())
        imgIndex = 0;
    emit pagesChanged();
    if (!m_stopped) {
        m_timer.start();
        emit runningChanged();
    }
    setCurrentPage(imgIndex);
    emit pageShown(imgIndex);
    return true;
}

QUrl PhotoPager::pageAddress(int index) const
{
    if (!m_config || index < 0 || index >= count())
        return {};
    return m_config->carPictureUrl(m_productCode, pagerShowCarImgList.at(index));
}

void PhotoPager::autoPaging()
{
    if (pagerShowCarImgList.isEmpty())
        return;
    imgIndex = imgIndex >= count() - 1 ? 0 : imgIndex + 1;
    emit pageShown(imgIndex);
    setCurrentPage(imgIndex);
}

void PhotoPager::pageSettled(int page)
{
    if (page < 0 || page >= count())
        return;
    imgIndex = page;
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

void PhotoPager::setCurrentPage(int page)
{
    if (m_currentPage == page)
        return;
    m_currentPage = page;
    emit currentPageChanged();
}

} // namespace tvs
