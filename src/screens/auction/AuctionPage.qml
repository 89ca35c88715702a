pragma ComponentBehavior: Bound
import QtQuick
import QtQml.Models
import "qrc:/tvs/ui"

// The auction board: four pages side by side (all, in progress, won, the rest),
// chosen with the segment control or by swiping; each row's button opens the
// auction or the shop's contact popup.
Item {
    id: page
    property var controller

    component AuctionTable: ListView {
        id: table
        property int pageNumber
        width: auctionScroll.width
        height: auctionScroll.height
        clip: true
        // Inline components take their delegates as explicit Components.
        delegate: Component {
            AuctionCell {
                onRowButtonPressed: (tag) => {
                    if (table.pageNumber === 1)
                        page.controller.btnEvent(tag)
                    else if (table.pageNumber === 2)
                        page.controller.btnEvent2(tag)
                    else if (table.pageNumber === 3)
                        page.controller.btnCallEvent3(tag)
                }
            }
        }
        footer: Qt.createComponent("qrc:/tvs/ui/ListFooter.qml")
    }

    NavigationBar {
        id: bar
        title: "경매"
        onBackClicked: page.controller.dismiss()
    }

    SegmentControl {
        id: auctionSeg
        objectName: "auctionSeg"
        anchors { left: parent.left; right: parent.right; top: bar.bottom }
        titles: page.controller.segmentTitles
        currentIndex: page.controller.auctionSeg
        onActivated: (index) => page.controller.segSelectEvent(index)
    }

    Rectangle {
        id: header
        anchors { left: parent.left; right: parent.right; top: auctionSeg.bottom }
        height: 36
        color: Theme.background
        Text {
            textFormat: Text.PlainText
            id: lb_aucCount
            anchors { right: parent.right; rightMargin: 14; verticalCenter: parent.verticalCenter }
            text: "진행중인 경매 " + page.controller.lb_aucCount + "건"
            Accessible.name: text
            color: Theme.navy
            font.pixelSize: Theme.smallFontSize
        }
    }

    ListView {
        id: auctionScroll
        objectName: "auctionScroll"
        anchors { left: parent.left; right: parent.right; top: header.bottom; bottom: parent.bottom }
        orientation: ListView.Horizontal
        snapMode: ListView.SnapOneItem
        boundsBehavior: Flickable.StopAtBounds
        clip: true
        model: ObjectModel {
            AuctionTable { objectName: "auctionPageTable1"; pageNumber: 1; model: page.controller.auctionPageTable1 }
            AuctionTable { objectName: "auctionPageTable2"; pageNumber: 2; model: page.controller.auctionPageTable2 }
            AuctionTable { objectName: "auctionPageTable3"; pageNumber: 3; model: page.controller.auctionPageTable3 }
            AuctionTable { objectName: "auctionPageTable4"; pageNumber: 4; model: page.controller.auctionPageTable4 }
        }

        function offsetOf(index) { return originX + index * width }
        // A swipe came to rest: the page fully shown selects its segment.
        onMovementEnded: page.controller.scrollViewDidScroll(contentX - originX, width)
        // A new width keeps the selected page in view (also halfway through a turn),
        // once the pages have taken the new width.
        onWidthChanged: keepPage.restart()
        Timer {
            id: keepPage
            interval: 0
            onTriggered: {
                if (auctionScroll.moving)
                    return
                turn.stop()
                auctionScroll.positionViewAtIndex(page.controller.auctionSeg, ListView.Beginning)
            }
        }
        Component.onCompleted: contentX = offsetOf(page.controller.auctionSeg)

        NumberAnimation {
            id: turn
            target: auctionScroll
            property: "contentX"
            duration: 200
            easing.type: Easing.OutCubic
        }
        Connections {
            target: page.controller
            function onPageChanged() {
                turn.stop()
                turn.to = auctionScroll.offsetOf(page.controller.auctionSeg)
                turn.start()
            }
        }
    }
}
