import QtQuick
import QtQuick.Controls.Basic

// The dealer's cars, in one of the four ways in (plain, sold, cancel, release).
Item {
    id: page
    property var controller
    readonly property color navy: "#252d49"

    Rectangle {
        id: bar
        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: 56
        color: page.navy
        z: 2
        ToolButton {
            id: back
            anchors { left: parent.left; verticalCenter: parent.verticalCenter }
            width: 48; height: 48
            text: "‹"
            font.pixelSize: 30
            Accessible.name: "뒤로"
            contentItem: Text { text: back.text; font: back.font; color: "white"
                                horizontalAlignment: Text.AlignHCenter; verticalAlignment: Text.AlignVCenter }
            background: Rectangle { color: back.down ? "#33ffffff" : "transparent" }
            onClicked: controller.dismiss()
        }
        Text {
            anchors.centerIn: parent
            text: "차량 목록"
            color: "white"
            font { pixelSize: 18; bold: true }
        }
    }

    Rectangle {
        id: header
        anchors { left: parent.left; right: parent.right; top: bar.bottom }
        height: 48
        color: "#f4f5f8"
        Text {
            id: getCarListSubTitle
            anchors { left: parent.left; leftMargin: 14; right: getCarListCount.left; rightMargin: 8
                      verticalCenter: parent.verticalCenter }
            text: controller.getCarListSubTitle
            elide: Text.ElideRight
            color: page.navy
            font.pixelSize: 15
        }
        Text {
            id: getCarListCount
            anchors { right: parent.right; rightMargin: 14; verticalCenter: parent.verticalCenter }
            text: controller.getCarListCount
            Accessible.name: "차량 " + text + "대"
            color: "#ff7d03"
            font { pixelSize: 17; bold: true }
        }
    }

    ListView {
        id: carListTable
        anchors { left: parent.left; right: parent.right; top: header.bottom; bottom: parent.bottom }
        clip: true
        model: controller.carListTable
        delegate: CarListTableCell {
            width: carListTable.width
            height: 100
            buttonTitle: controller.rowButtonTitle
            onClicked: controller.selectRow(index)
            onRowButtonPressed: (tag) => controller.isCarCheck1 ? controller.Action_isCarCheck1(tag)
                                                                : controller.Action_isCarCheck2(tag)
        }
        footer: Text {
            width: carListTable.width
            height: 44
            text: controller.footerTitle
            color: "grey"
            font.pixelSize: 12
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }
    }
}
