import QtQuick
import "qrc:/tvs/ui"

Item {
    property alias count: overlay.count
    LoadingOverlay {
        id: overlay
        objectName: "overlay"
        anchors.fill: parent
    }
}
