pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Templates as T
import Qt.labs.folderlistmodel
import "qrc:/tvs/ui"

// The picker of a QR code image on the login's QR page: as large as the window at
// any size (a phone's too), the folders of the current folder first, then its
// pictures; a folder opens, a picture is chosen. In a file of its own, so that its
// module is loaded only when the dealer first opens it.
Popup {
    id: picker
    objectName: "imageDialog"
    required property var controller
    property alias folder: files.folder

    parent: T.Overlay.overlay
    x: 0
    y: 0
    width: parent ? parent.width : 0
    height: parent ? parent.height : 0
    modal: true
    padding: 0
    closePolicy: Popup.CloseOnEscape
    background: Rectangle { color: Theme.background }
    Component.onCompleted: {
        files.folder = picker.controller.qrImageFolder
        picker.open()
    }

    FolderListModel {
        id: files
        showDirsFirst: true
        showDotAndDotDot: false
        caseSensitive: false
        nameFilters: ["*.png", "*.jpg", "*.jpeg", "*.bmp", "*.gif", "*.webp"]
    }

    Item {
        anchors.fill: parent
        NavigationBar {
            id: bar
            title: "QR 코드 이미지"
            onBackClicked: picker.close()
        }

        Rectangle {
            id: where
            anchors { left: parent.left; right: parent.right; top: bar.bottom }
            height: 48
            color: Theme.surface
            CustomButton {
                id: up
                anchors { left: parent.left; leftMargin: Theme.margin; verticalCenter: parent.verticalCenter }
                width: 44; height: 36
                cornerRadius: 6
                backgroundColor: Theme.navy
                text: "↑"
                font { pixelSize: 18; bold: true }
                enabled: String(files.parentFolder) !== ""
                Accessible.name: "상위 폴더"
                onClicked: files.folder = files.parentFolder
            }
            Text {
                anchors { left: up.right; leftMargin: 10; right: parent.right; rightMargin: Theme.margin
                          verticalCenter: parent.verticalCenter }
                text: decodeURIComponent(String(files.folder).replace(/^file:\/\//, ""))
                textFormat: Text.PlainText
                elide: Text.ElideLeft
                color: Theme.secondaryText
                font.pixelSize: Theme.smallFontSize
                Accessible.name: "폴더 " + text
            }
            Rectangle {
                anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
                height: 1
                color: Theme.separator
            }
        }

        ListView {
            anchors { left: parent.left; right: parent.right; top: where.bottom; bottom: parent.bottom }
            clip: true
            model: files
            delegate: ItemDelegate {
                id: entry
                required property string fileName
                required property url fileUrl
                required property bool fileIsDir
                width: ListView.view.width
                height: 52
                Accessible.name: (fileIsDir ? "폴더 " : "") + fileName
                contentItem: Text {
                    text: entry.fileName + (entry.fileIsDir ? "  ›" : "")
                    textFormat: Text.PlainText
                    elide: Text.ElideMiddle
                    verticalAlignment: Text.AlignVCenter
                    color: entry.fileIsDir ? Theme.navy : Theme.text
                    font { pixelSize: Theme.fontSize; bold: entry.fileIsDir }
                }
                background: Rectangle {
                    color: entry.down ? Theme.background : Theme.surface
                    Rectangle {
                        anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
                        height: 1
                        color: Theme.separator
                    }
                }
                onClicked: {
                    if (entry.fileIsDir) {
                        files.folder = entry.fileUrl
                        return
                    }
                    picker.close()
                    picker.controller.openQrImage(entry.fileUrl)
                }
            }
            Text {
                anchors.centerIn: parent
                width: parent.width - 2 * Theme.margin
                visible: files.status === FolderListModel.Ready && files.count === 0
                text: "이 폴더에는 이미지가 없습니다."
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.WordWrap
                color: Theme.mutedText
                font.pixelSize: Theme.fontSize
            }
        }
    }
}
