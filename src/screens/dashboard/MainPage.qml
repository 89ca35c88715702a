pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import "qrc:/tvs/ui"

// The dashboard: dealer, four counts, the dealer's cars, and the side drawer.
Item {
    id: page
    property var controller

    // The bar: title and the drawer / sign-out button.
    NavigationBar {
        id: bar
        title: "Tar Vesta"
        showBack: false
        ToolButton {
            id: icoSetOut
            width: 48; height: 48
            icon.source: Theme.images + page.controller.icoSet_Out + ".svg"
            icon.color: Theme.onAccent
            icon.width: 28; icon.height: 28
            display: AbstractButton.IconOnly
            background: Rectangle { radius: 8; color: icoSetOut.down ? Theme.onAccentPressed : Theme.clear }
            Accessible.name: page.controller.isOpenDrawer ? "로그아웃" : "메뉴 열기"
            onClicked: page.controller.icoSet_OutAction()
        }
    }

    // The safe area below the bar; the table may grow up to its top.
    Item {
        id: safeArea
        anchors { left: parent.left; right: parent.right; top: bar.bottom; bottom: parent.bottom }
        clip: true

        Column {
            id: header
            anchors { left: parent.left; right: parent.right; top: parent.top; margins: 12 }
            spacing: 10

            Row {
                spacing: 12
                Picture {
                    id: userImage
                    width: 56; height: 56
                    address: page.controller.sUserImage
                    fallback: "the_thumbnail"
                }
                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    textFormat: Text.PlainText
                    text: page.controller.sUserName
                    font { pixelSize: 18; bold: true }
                    color: Theme.navy
                }
            }

            Grid {
                id: counts
                width: parent.width
                columns: 4
                spacing: 6
                readonly property real tileWidth: (width - 3 * spacing) / 4
                Repeater {
                    model: [
                        { caption: "보유 차량", open: () => page.controller.openOwnedCars() },
                        { caption: "판매 완료", open: () => page.controller.openSoldCars() },
                        { caption: "경매 진행", open: () => page.controller.openAuctionsInProgress() },
                        { caption: "경매 완료", open: () => page.controller.openAuctionsClosed() }
                    ]
                    delegate: Button {
                        id: tile
                        required property var modelData
                        required property int index
                        width: counts.tileWidth
                        height: 64
                        readonly property string count: [page.controller.lb_Count0, page.controller.lb_Count1,
                                                         page.controller.lb_Count2,
                                                         page.controller.lb_Count3][index]
                        Accessible.name: modelData.caption + " " + count
                        background: Rectangle { radius: 8; color: tile.down ? Theme.separator : Theme.surface
                                                border.color: Theme.separator }
                        contentItem: Column {
                            spacing: 2
                            Text {
                                textFormat: Text.PlainText
                                width: parent.width
                                horizontalAlignment: Text.AlignHCenter
                                text: tile.count
                                color: Theme.orange
                                font { pixelSize: 20; bold: true }
                            }
                            Text {
                                textFormat: Text.PlainText
                                width: parent.width
                                horizontalAlignment: Text.AlignHCenter
                                text: tile.modelData.caption
                                color: Theme.navy
                                font.pixelSize: 12
                            }
                        }
                        onClicked: modelData.open()
                    }
                }
            }

            Button {
                id: businessRequest
                width: parent.width
                height: 40
                text: "업무 요청"
                Accessible.name: text
                background: Rectangle { radius: 8; color: businessRequest.down ? Theme.orangePressed : Theme.orange }
                contentItem: Text {
                    textFormat: Text.PlainText
                    text: businessRequest.text
                    color: Theme.onAccent
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                    font { pixelSize: 15; bold: true }
                }
                onClicked: page.controller.openBusinessRequest()
            }
        }

        // The table with its tool row; mainTableConst moves its top up to enlarge it.
        Rectangle {
            id: tableBlock
            anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
            // Bottom-anchored: a negative mainTableConst lifts the top edge.
            height: safeArea.height - header.height - 24 - page.controller.mainTableConst
            color: Theme.surface
            Behavior on height { NumberAnimation { duration: 500 } }

            Rectangle {
                id: tools
                anchors { left: parent.left; right: parent.right; top: parent.top }
                height: 44
                color: Theme.background
                Button {
                    id: filterButton
                    anchors { left: parent.left; leftMargin: 12; verticalCenter: parent.verticalCenter }
                    text: page.controller.filterTitle
                    Accessible.name: "차량상태 선택 " + text
                    flat: true
                    contentItem: Text {
                        textFormat: Text.PlainText
                        text: filterButton.text
                        color: Theme.navy
                        font { pixelSize: 15; bold: true }
                        verticalAlignment: Text.AlignVCenter
                    }
                    onClicked: page.controller.tablefilterAction()
                }
                ToolButton {
                    id: refreshButton
                    anchors { right: parent.right; rightMargin: 8; verticalCenter: parent.verticalCenter }
                    width: 40; height: 40
                    text: "↻"
                    font.pixelSize: 22
                    background: Rectangle { radius: 8; color: refreshButton.down ? Theme.separator : Theme.clear }
                    Accessible.name: "새로고침"
                    onClicked: page.controller.tableRefreshAction()
                    RotationAnimation {
                        id: spin
                        target: refreshButton
                        from: 0; to: 720
                        duration: 1000
                    }
                    Connections {
                        target: page.controller
                        function onRefreshSpinRequested() { spin.restart() }
                    }
                }
            }

            CarSearchBar {
                id: search
                anchors { left: parent.left; right: parent.right; top: tools.bottom }
                table: page.controller.carTable
            }

            ListView {
                id: table
                anchors { left: parent.left; right: parent.right; top: search.bottom; bottom: parent.bottom }
                clip: true
                model: page.controller.mainTable
                onDraggingChanged: if (!dragging)
                    page.controller.scrollViewDidEndDragging(contentY - originY, safeArea.height, tableBlock.height)
                delegate: CarRowCell {
                    onClicked: page.controller.openCar(cell_index)
                }
                footer: Qt.createComponent("qrc:/tvs/ui/ListFooter.qml")
            }
        }

        // The side drawer slides in from the right; drawerConst is its offset.
        Item {
            id: drawerView
            width: parent.width
            height: parent.height
            // Animates how far the drawer is open, not x, so that the page's own
            // layout (its width growing from 0 when it is created) never slides it.
            property real openness: page.controller.isOpenDrawer ? 1 : 0
            Behavior on openness { NumberAnimation { duration: 500 } }
            x: (1 - openness) * width
            visible: openness > 0
            Rectangle {
                id: shade
                anchors { left: parent.left; top: parent.top; bottom: parent.bottom; right: drawerPanel.left }
                color: Theme.shade
                TapHandler { onTapped: page.controller.drawerAction() }
                Accessible.role: Accessible.Button
                Accessible.name: "메뉴 닫기"
            }
            MainDrawerPage {
                id: drawerPanel
                anchors { right: parent.right; top: parent.top; bottom: parent.bottom }
                width: parent.width * 0.78
                controller: page.controller.drawer
            }
        }
    }
}
