// The cdaudio device's command strings on Linux's CD-ROM ioctls. Its time format is tracks:
// "play cdaudio from A to B" plays from the start of track A to the end of track B.
#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "mci_reply.h"
#include "platform/mci.h"

namespace {

const char* const kDrivePath = "/dev/cdrom";
constexpr int kFramesPerSecond = CD_FRAMES;
constexpr int kSecondsPerMinute = CD_SECS;

int g_iDrive = -1;

// The command's words in lower case: MCI reads its keywords without regard to case.
std::vector<std::string> Words(const char* acCommand)
{
    std::istringstream kStream(acCommand);
    std::vector<std::string> akWords;
    for (std::string kWord; kStream >> kWord;) {
        for (char& rcLetter : kWord) {
            rcLetter = static_cast<char>(std::tolower(static_cast<unsigned char>(rcLetter)));
        }
        akWords.push_back(kWord);
    }
    return akWords;
}

bool Matches(const std::vector<std::string>& akWords, const std::vector<std::string>& akTail)
{
    if (akWords.size() != akTail.size() + 2) {
        return false;
    }
    for (size_t i = 0; i < akTail.size(); ++i) {
        if (akWords[i + 2] != akTail[i]) {
            return false;
        }
    }
    return true;
}

bool DiscReady()
{
    return ioctl(g_iDrive, CDROM_DRIVE_STATUS, CDSL_CURRENT) == CDS_DISC_OK;
}

// A failed drive call: no disc, or the drive itself.
MCIERROR DriveError()
{
    return DiscReady() ? MCIERR_HARDWARE : MCIERR_DEVICE_NOT_READY;
}

bool ReadTracks(cdrom_tochdr* pkHeader)
{
    return DiscReady() && ioctl(g_iDrive, CDROMREADTOCHDR, pkHeader) == 0;
}

// The start of a track (or of the lead-out) in frames.
bool TrackStart(int iTrack, int* piFrames)
{
    cdrom_tocentry kEntry = {};
    kEntry.cdte_track = static_cast<__u8>(iTrack);
    kEntry.cdte_format = CDROM_MSF;
    if (ioctl(g_iDrive, CDROMREADTOCENTRY, &kEntry) != 0) {
        return false;
    }
    const cdrom_msf0& kAt = kEntry.cdte_addr.msf;
    *piFrames = (kAt.minute * kSecondsPerMinute + kAt.second) * kFramesPerSecond + kAt.frame;
    return true;
}

bool ParseTrack(const std::string& kWord, int* piTrack)
{
    char* pcEnd = nullptr;
    long iValue = std::strtol(kWord.c_str(), &pcEnd, 10);
    if (kWord.empty() || *pcEnd != '\0' || iValue < 0 || iValue > CDROM_LEADOUT) {
        return false;
    }
    *piTrack = static_cast<int>(iValue);
    return true;
}

MCIERROR Open(const std::vector<std::string>& akWords)
{
    if (akWords.size() != 2) {
        return MCIERR_UNRECOGNIZED_KEYWORD;
    }
    if (g_iDrive >= 0) {
        return MCIERR_DEVICE_OPEN;
    }
    g_iDrive = open(kDrivePath, O_RDONLY | O_NONBLOCK);
    return g_iDrive >= 0 ? 0 : MCIERR_DEVICE_NOT_INSTALLED;
}

MCIERROR Close()
{
    close(g_iDrive);
    g_iDrive = -1;
    return 0;
}

MCIERROR Stop()
{
    return ioctl(g_iDrive, CDROMSTOP) == 0 ? 0 : DriveError();
}

MCIERROR SetDoor(const std::vector<std::string>& akWords)
{
    if (Matches(akWords, {"door", "open"})) {
        return ioctl(g_iDrive, CDROMEJECT) == 0 ? 0 : MCIERR_HARDWARE;
    }
    if (Matches(akWords, {"door", "closed"})) {
        return ioctl(g_iDrive, CDROMCLOSETRAY) == 0 ? 0 : MCIERR_HARDWARE;
    }
    return MCIERR_UNRECOGNIZED_KEYWORD;
}

MCIERROR Play(const std::vector<std::string>& akWords)
{
    cdrom_tochdr kHeader = {};
    if (!ReadTracks(&kHeader)) {
        return MCIERR_DEVICE_NOT_READY;
    }
    int iFrom = kHeader.cdth_trk0;
    int iTo = kHeader.cdth_trk1;
    for (size_t i = 2; i < akWords.size(); i += 2) {
        if (i + 1 >= akWords.size()) {
            return MCIERR_MISSING_PARAMETER;
        }
        bool bFrom = akWords[i] == "from";
        if (!bFrom && akWords[i] != "to") {
            return MCIERR_UNRECOGNIZED_KEYWORD;
        }
        if (!ParseTrack(akWords[i + 1], bFrom ? &iFrom : &iTo)) {
            return MCIERR_BAD_INTEGER;
        }
    }
    if (iFrom < kHeader.cdth_trk0 || iTo > kHeader.cdth_trk1 || iFrom > iTo) {
        return MCIERR_OUTOFRANGE;
    }
    int iStart = 0;
    int iEnd = 0;
    int iEndTrack = iTo == kHeader.cdth_trk1 ? CDROM_LEADOUT : iTo + 1;
    if (!TrackStart(iFrom, &iStart) || !TrackStart(iEndTrack, &iEnd) || iEnd <= iStart) {
        return MCIERR_HARDWARE;
    }
    cdrom_msf kRange = {};
    kRange.cdmsf_min0 = static_cast<__u8>(iStart / kFramesPerSecond / kSecondsPerMinute);
    kRange.cdmsf_sec0 = static_cast<__u8>(iStart / kFramesPerSecond % kSecondsPerMinute);
    kRange.cdmsf_frame0 = static_cast<__u8>(iStart % kFramesPerSecond);
    --iEnd;
    kRange.cdmsf_min1 = static_cast<__u8>(iEnd / kFramesPerSecond / kSecondsPerMinute);
    kRange.cdmsf_sec1 = static_cast<__u8>(iEnd / kFramesPerSecond % kSecondsPerMinute);
    kRange.cdmsf_frame1 = static_cast<__u8>(iEnd % kFramesPerSecond);
    return ioctl(g_iDrive, CDROMPLAYMSF, &kRange) == 0 ? 0 : DriveError();
}

// The disc's length as minutes:seconds:frames.
bool DiscLength(std::string* pkText)
{
    cdrom_tochdr kHeader = {};
    int iStart = 0;
    int iEnd = 0;
    if (!ReadTracks(&kHeader) || !TrackStart(kHeader.cdth_trk0, &iStart) ||
        !TrackStart(CDROM_LEADOUT, &iEnd)) {
        return false;
    }
    int iFrames = iEnd > iStart ? iEnd - iStart : 0;
    char acText[32];
    std::snprintf(acText, sizeof acText, "%02d:%02d:%02d",
                  iFrames / kFramesPerSecond / kSecondsPerMinute,
                  iFrames / kFramesPerSecond % kSecondsPerMinute, iFrames % kFramesPerSecond);
    *pkText = acText;
    return true;
}

MCIERROR Status(const std::vector<std::string>& akWords, std::string* pkReply)
{
    if (Matches(akWords, {"ready"})) {
        *pkReply = DiscReady() ? "true" : "false";
        return 0;
    }
    if (Matches(akWords, {"number", "of", "tracks"})) {
        cdrom_tochdr kHeader = {};
        if (!ReadTracks(&kHeader)) {
            return MCIERR_DEVICE_NOT_READY;
        }
        *pkReply = std::to_string(kHeader.cdth_trk1 - kHeader.cdth_trk0 + 1);
        return 0;
    }
    if (Matches(akWords, {"length"})) {
        return DiscLength(pkReply) ? 0 : MCIERR_DEVICE_NOT_READY;
    }
    return akWords.size() == 2 ? MCIERR_MISSING_PARAMETER : MCIERR_UNRECOGNIZED_KEYWORD;
}

MCIERROR Run(const std::vector<std::string>& akWords, std::string* pkReply)
{
    if (akWords.empty()) {
        return MCIERR_MISSING_COMMAND_STRING;
    }
    const std::string& kVerb = akWords[0];
    bool bKnown = kVerb == "open" || kVerb == "close" || kVerb == "stop" || kVerb == "set" ||
                  kVerb == "play" || kVerb == "status";
    if (!bKnown) {
        return MCIERR_UNRECOGNIZED_COMMAND;
    }
    if (akWords.size() < 2) {
        return MCIERR_MISSING_DEVICE_NAME;
    }
    if (akWords[1] != "cdaudio") {
        return MCIERR_INVALID_DEVICE_NAME;
    }
    if (kVerb == "open") {
        return Open(akWords);
    }
    if (g_iDrive < 0) {
        return MCIERR_INVALID_DEVICE_NAME;
    }
    if (kVerb == "close" || kVerb == "stop") {
        if (akWords.size() != 2) {
            return MCIERR_UNRECOGNIZED_KEYWORD;
        }
        return kVerb == "close" ? Close() : Stop();
    }
    if (kVerb == "set") {
        return SetDoor(akWords);
    }
    if (kVerb == "play") {
        return Play(akWords);
    }
    return Status(akWords, pkReply);
}

}  // namespace

MCIERROR WINAPI mciSendStringA(LPCSTR command, LPSTR returnString, UINT returnLength, HWND)
{
    if (returnString && returnLength > 0) {
        returnString[0] = '\0';
    }
    if (!command) {
        return MCIERR_MISSING_COMMAND_STRING;
    }
    std::string kReply;
    MCIERROR uiResult = Run(Words(command), &kReply);
    MCIERROR uiWritten = mci::WriteReply(kReply, returnString, returnLength);
    return uiResult != 0 ? uiResult : uiWritten;
}
