pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic

// The pages of a PhotoPager: one picture per photo, swiped both ways with
// wrap-around, turned by the pager's timer, with the dots over the photos.
// A picture that cannot be loaded shows "empty_car". The pager is as high as a
// 4:3 photo at its width, up to `maximumHeight` (a wide window); a photo is shown
// whole, never cropped.
Item {
    id: root
    property var pager
    property real maximumHeight: Infinity
    height: Math.min(width * 3 / 4, maximumHeight)
    clip: true

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }

    Picture {
        anchors.fill: parent
        visible: !root.pager || root.pager.count === 0
        fillMode: Image.PreserveAspectFit
    }

    PathView {
        id: pageView
        anchors.fill: parent
        model: root.pager ? root.pager.count : 0
        interactive: count > 1
        snapMode: PathView.SnapOneItem
        highlightRangeMode: PathView.StrictlyEnforceRange
        preferredHighlightBegin: 0.5
        preferredHighlightEnd: 0.5
        highlightMoveDuration: 400
        path: Path {
            startX: pageView.width / 2 - pageView.count * pageView.width / 2
            startY: pageView.height / 2
            PathLine {
                x: pageView.width / 2 + pageView.count * pageView.width / 2
                y: pageView.height / 2
            }
        }
        delegate: Picture {
            id: theImageView
            required property int index
            width: pageView.width
            height: pageView.height
            fillMode: Image.PreserveAspectFit
            address: root.pager ? root.pager.pageAddress(index) : ""
            Accessible.name: "차량 사진 " + (index + 1)
        }
        // A swipe came to rest: the pager moves on from the page now shown.
        onMovementEnded: if (root.pager) root.pager.pageSettled(currentIndex)
    }

    Connections {
        target: root.pager
        function onPageShown(index) {
            if (index === pageView.currentIndex)
                return
            if (index === (pageView.currentIndex + 1) % pageView.count)
                pageView.incrementCurrentIndex()
            else
                pageView.currentIndex = index
        }
    }

    PageIndicator {
        id: pageCtrl
        anchors { horizontalCenter: parent.horizontalCenter; bottom: parent.bottom; bottomMargin: 6 }
        count: root.pager ? root.pager.count : 0
        currentIndex: root.pager ? root.pager.currentPage : 0
        visible: count > 0
        delegate: Rectangle {
            required property int index
            width: 8; height: 8; radius: 4
            color: index === pageCtrl.currentIndex ? Theme.orange : Theme.pageDot
        }
    }
}
