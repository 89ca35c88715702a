import QtQuick
import QtQuick.Controls.Basic
import "qrc:/tvs/ui"

// The side drawer: who is signed in, the last sign-in, and the menu entries.
Rectangle {
    id: drawerPage
    property var controller
    color: "white"

    Column {
        anchors { left: parent.left; right: parent.right; top: parent.top }

        Rectangle {
            width: parent.width
            height: 150
            color: Theme.navy
            Image {
                id: sUserImage
                anchors { left: parent.left; leftMargin: 20; top: parent.top; topMargin: 20 }
                width: 64; height: 64
                fillMode: Image.PreserveAspectCrop
                property bool failed: false
                readonly property string remote: drawerPage.controller ? drawerPage.controller.sUserImage.toString() : ""
                onRemoteChanged: failed = false
                onStatusChanged: if (status === Image.Error) failed = true
                source: remote !== "" && !failed ? remote : Theme.images + "the_thumbnail.svg"
            }
            Text {
                id: sUserName
                anchors { left: parent.left; leftMargin: 20; top: sUserImage.bottom; topMargin: 10 }
                text: drawerPage.controller ? drawerPage.controller.sUserName : ""
                color: "white"
                font { pixelSize: 18; bold: true }
            }
            Text {
                anchors { left: parent.left; leftMargin: 20; top: sUserName.bottom; topMargin: 4 }
                text: drawerPage.controller ? drawerPage.controller.sLastDay : ""
                color: "#c9cde0"
                font.pixelSize: 13
            }
        }

        Repeater {
            model: [
                { title: "차량 입고 취소", segue: "main_to_carCancel" },
                { title: "차량 출고 요청", segue: "main_to_carExport" },
                { title: "정비 작업 지시", segue: "" }
            ]
            delegate: ItemDelegate {
                required property var modelData
                width: parent.width
                height: 52
                text: modelData.title
                Accessible.name: modelData.title
                font.pixelSize: 16
                onClicked: modelData.segue !== "" ? drawerPage.controller.performSegue(modelData.segue)
                                                  : drawerPage.controller.openWorkOrderSearch()
            }
        }
    }
}
