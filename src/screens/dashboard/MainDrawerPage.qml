import QtQuick
import QtQuick.Controls.Basic
import "qrc:/tvs/ui"

// The side drawer: who is signed in, the last sign-in, and the menu entries.
Rectangle {
    id: drawerPage
    property var controller
    color: Theme.surface

    Column {
        anchors { left: parent.left; right: parent.right; top: parent.top }

        Rectangle {
            width: parent.width
            height: 150
            color: Theme.navy
            Picture {
                id: sUserImage
                anchors { left: parent.left; leftMargin: 20; top: parent.top; topMargin: 20 }
                width: 64; height: 64
                address: drawerPage.controller ? drawerPage.controller.sUserImage : ""
                fallback: "the_thumbnail"
            }
            Text {
                textFormat: Text.PlainText
                id: sUserName
                anchors { left: parent.left; leftMargin: 20; top: sUserImage.bottom; topMargin: 10 }
                text: drawerPage.controller ? drawerPage.controller.sUserName : ""
                color: Theme.surface
                font { pixelSize: 18; bold: true }
            }
            Text {
                anchors { left: parent.left; leftMargin: 20; top: sUserName.bottom; topMargin: 4 }
                text: drawerPage.controller ? drawerPage.controller.sLastDay : ""
                textFormat: Text.PlainText
                color: Theme.onNavySecondary
                font.pixelSize: 13
            }
        }

        Repeater {
            model: [
                { title: "차량 입고 취소", open: () => drawerPage.controller.openCancelMode() },
                { title: "차량 출고 요청", open: () => drawerPage.controller.openReleaseMode() },
                { title: "정비 작업 지시", open: () => drawerPage.controller.openWorkOrders() },
                { title: "차량 등록", open: () => drawerPage.controller.openNewRegistration() }
            ]
            delegate: ItemDelegate {
                required property var modelData
                width: parent.width
                height: 52
                text: modelData.title
                Accessible.name: modelData.title
                font.pixelSize: 16
                onClicked: modelData.open()
            }
        }
    }
}
