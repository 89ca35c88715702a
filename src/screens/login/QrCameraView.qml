import QtQuick
import QtMultimedia

// The camera's view on the login's QR page, in a file of its own so that the media
// module is loaded only when the camera first runs.
VideoOutput {
    fillMode: VideoOutput.PreserveAspectCrop
}
