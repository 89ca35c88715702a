import QtQuick
import QtMultimedia

// The camera's view on the login's QR page, in a file of its own so that the media
// module is loaded only when the camera first runs. It hands its frames' sink to the
// login as it comes up.
VideoOutput {
    id: view
    required property var controller
    fillMode: VideoOutput.PreserveAspectCrop
    Component.onCompleted: view.controller.attachPreview(view.videoSink)
}
