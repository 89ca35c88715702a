import QtQuick

// The footer under the app's car and auction tables.
Text {
    width: ListView.view ? ListView.view.width : implicitWidth
    height: 40
    text: "Tar Vesta"
    color: Theme.grey
    font.pixelSize: 12
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
}
