import QtQuick
import QtQuick.Dialogs

// The picker of a QR code image on the login's QR page, in a file of its own so
// that the dialogs module is loaded only when the dealer first opens it. It opens as
// it is made and hands the chosen file to the login.
FileDialog {
    id: picker
    required property var controller
    objectName: "imageDialog"
    title: "QR 코드 이미지"
    nameFilters: ["이미지 (*.png *.jpg *.jpeg *.bmp *.gif *.webp)", "모든 파일 (*)"]
    onAccepted: picker.controller.openQrImage(picker.selectedFile)
    Component.onCompleted: picker.open()
}
