#pragma once
// Every text the sign communication shows the user, kept in one place. The wording
// (spelling included) is what users of the sign software know and what their logs hold.

namespace CommTexts {

// Serial link.
inline constexpr const char* kPortBusy =
    "Sorry,You specified COM is using by another program.Please Close it and retry!";
inline constexpr const char* kPortBusyCaption = "Please Confirm";
inline constexpr const char* kInitError = "Initalize error of Serial com-port!";
inline constexpr const char* kInitErrorCaption = "Error";
inline constexpr const char* kNoSuchDeviceHint = "the device does not exist";
inline constexpr const char* kDialoutHint =
    "add your user to the dialout group (sudo adduser $USER dialout) and log in again";
inline constexpr const char* kHeldHint = "another program holds the port";
inline constexpr const char* kNotSerialHint = "it is not a serial port";

// Address checks, in the order the address dialog runs them.
inline constexpr const char* kAddrBadChar = "Invalidate character.The character must be number or comma!";
inline constexpr const char* kAddrBadCharCaption = "Error";
inline constexpr const char* kAddrTooLong = "The address is too long(max is 1024 chars),please re-enter!";
inline constexpr const char* kAddrFirstComma = "The first char must be a number,please re-enter!";
inline constexpr const char* kAddrLastComma = "The last char must be a number,please re-enter!";
inline constexpr const char* kAddrTooMany = "You can input 255 address at most,please re-enter!";
inline constexpr const char* kAddrCaption = "Address error";
inline constexpr const char* kAddrTwoCommas = "The address can't have two comma continuously,please re-enter!";
inline constexpr const char* kAddrTwoCommasCaption = "Address-error";
// A number above 255 would keep only its low 8 bits and reach another sign (256 is 0,
// every sign), so it is refused in the same style as the other address checks.
inline constexpr const char* kAddrTooLarge = "The address can't be larger than 255,please re-enter!";
inline constexpr const char* kAddrEmpty = "Please input the address of Moving-Sign!";

// Bit-plane scan.
inline constexpr const char* kScanning = "Now  is  sacnning  the  bitmap, Please waitting...";
inline constexpr const char* kWidthNotByte =
    "The width of Moving-Sign must be a multiple of 8 dots,so the message can't be sent!";
inline constexpr const char* kWidthNotByteCaption = "Error";

// A send needs something on the canvas.
inline constexpr const char* kEditAreaEmpty = "The edit area is empty,so can't process this operation!";
inline constexpr const char* kEditAreaEmptyCaption = "Warning";

// Send operation: progress texts (printf formats).
inline constexpr const char* kCtrlFirst = "Now sending control frame to %d# address,Please waiting...";
inline constexpr const char* kCtrlBroadcast = "Now sending control frame(broadcast sending),Please waiting...";
inline constexpr const char* kCtrlRepeat = "%dth sending control frame to %d# address,Please waiting...";

inline constexpr const char* kRedFirst = "Now sending %dth red frame to %d# address,Please waitting...";
inline constexpr const char* kRedEndFirst = "Now sending end red frame to %d# address,Please waitting...";
inline constexpr const char* kRedBroadcast = "Now sending %dth red frame(broadcast sending),Please waitting...";
inline constexpr const char* kRedEndBroadcast = "Now sending end red frame(broadcast sending),Please waitting...";
inline constexpr const char* kRedRepeat = "%dth sending %dth red frame to %d# address,Please waitting...";
inline constexpr const char* kRedEndRepeat = "%dth sending end red frame to %d# address,Please waitting...";

inline constexpr const char* kGreenFirst = "Now sending %dth green frame to %d# address,Please waitting...";
inline constexpr const char* kGreenEndFirst = "Now sending end green frame to %d# address,Please waitting...";
inline constexpr const char* kGreenBroadcast = "Now sending %dth green frame(broadcast sending),Please waitting...";
inline constexpr const char* kGreenEndBroadcast = "Now sending end green frame(broadcast sending),Please waitting...";
inline constexpr const char* kGreenRepeat = "%dth sending %dth green frame to %d# address,Please waitting...";
inline constexpr const char* kGreenEndRepeat = "%dth sending end green frame to %d# address,Please waitting...";

// Send operation: failures, by frame and cause.
inline constexpr const char* kSendErrorCaption = "Error-exit sending";
inline constexpr const char* kCtrlNoReply = "Communication Error when sending control frame to %d# address!";
inline constexpr const char* kCtrlFailed = "Sending control frame to %d# address falied!";
inline constexpr const char* kRedNoReply = "Communication Error when sending red frame to %d# address!";
inline constexpr const char* kRedFailed = "Communication failed when sending red frame to %d# address!";
inline constexpr const char* kRedEndNoReply = "Communication Error when sending end red frame to %d# address!";
inline constexpr const char* kRedEndFailed = "Communication failed when sending end red frame to %d# address!";
inline constexpr const char* kGreenNoReply = "Communication Error when sending green frame to %d# address!";
inline constexpr const char* kGreenFailed = "Communication falied when sending green frame to %d# address";
inline constexpr const char* kGreenEndNoReply = "Communication Error when sending End green frame to %d# address!";
inline constexpr const char* kGreenEndFailed = "Communication falied when sending end green frame to %d# address";

// Device commands: progress texts (printf formats), failures and captions.
inline constexpr const char* kClockAddress =
    "Now is adjust the time and date of Moving-Sign to %d# address, Please waitting...";
inline constexpr const char* kClockBroadcast =
    "Now is adjust the time and date of Moving-Sign(broadcast sending), Please waitting...";
inline constexpr const char* kClockFailed = "Adjust time failed!";
inline constexpr const char* kClockCaption = "Adjust Time";
inline constexpr const char* kOpenAddress = "Now is open Lextrel(%d# address), Please waitting...";
inline constexpr const char* kOpenBroadcast = "Now is open Lextrel(broadcast sending), Please waitting...";
inline constexpr const char* kOpenFailed = "Open Lextrel failed!";
inline constexpr const char* kOpenCaption = "Open";
inline constexpr const char* kCloseAddress = "Now is close Lextrel(%d# address), Please waitting...";
inline constexpr const char* kCloseBroadcast = "Now is close Lextrel(broadcast sending), Please waitting...";
inline constexpr const char* kCloseFailed = "Close Lextrel failed!";
inline constexpr const char* kCloseCaption = "Close";
inline constexpr const char* kTimerAddress =
    "Now is sending timer infomation to Lextrel(%d# address), Please waitting...";
inline constexpr const char* kTimerBroadcast =
    "Now is sending timer infomation to Lextrel(broadcast sending), Please waitting...";
inline constexpr const char* kTimerFailed = "Sending timer infomation to Lextrel failed!";
inline constexpr const char* kTimerCaption = "Timer";
inline constexpr const char* kShowAddressBroadcast =
    "Now is let LED Lextrel to display itself address always, Please waitting...";
inline constexpr const char* kShowAddressFailed = "Let LED Lextrel to display itself address always failed!";
inline constexpr const char* kShowAddressCaption = "Display address";
inline constexpr const char* kHideAddressBroadcast =
    "Now is let LED Lextrel to don't display itself address always, Please waitting...";
inline constexpr const char* kHideAddressFailed = "Let LED Lextrel to don't display itself address always failed!";
inline constexpr const char* kHideAddressCaption = "No-Display address";

// Sign information query.
inline constexpr const char* kInfoNoBroadcast = "Sorry,the address string can't include 0 address.";
inline constexpr const char* kInfoNoBroadcastCaption = "Prompt";
inline constexpr const char* kInfoConnecting = "Is connecting with %d# address Moving-Sign,Please waiting...";
inline constexpr const char* kInfoResult = "Get %d# address Moving-Sign's information %s";
inline constexpr const char* kInfoSuccess = "success";
inline constexpr const char* kInfoError = "error";
inline constexpr const char* kInfoVersion = "%d# address Moving-Sign's version is:%s";
inline constexpr const char* kInfoMemory = "%d# address Moving-Sign's memory size is:%s";
inline constexpr const char* kInfoMotherboard = "%d# address Moving-Sign's Motherboard version is:%s";
inline constexpr const char* kInfoCrystal = "%d# address Moving-Sign's Crystal Frenquency is:%s";
inline constexpr const char* kInfoNone = "NONE";
inline constexpr const char* kInfoLogNoReply = "Occure an error when sending command to %d# address";
inline constexpr const char* kInfoLogShort = "The number from %d# address Moving-Sign return is incorrect";
inline constexpr const char* kInfoLogBadFormat =
    "The format or the check sum from %d# address Moving-Sign return is incorrect";
inline constexpr const char* kInfoLogOk =
    "%d address Moving-Sign's Version is %s,Memory size is %s,Motherboard version is %s,Crystal Frequency is %s";

// Timed sending puts this stamp before each collected message.
inline constexpr const char* kTimedStamp = "(Year/Month/Date Hour:Minute)%d/%02d/%02d %02d:%02d ";

// Timed sending: the schedule dialog, its list lines and the log report.
inline constexpr const char* kTimingDlgTitle = "Timing send...";
inline constexpr const char* kTimingListLine = "'%s' send file '%s' to '%s' Moving-Sign";
inline constexpr const char* kTimingPromptCaption = "Prompt";
inline constexpr const char* kTimingNoAddress =
    "Sorry,the address can't empty,please click button 'Address of Moving-Sign' to input address";
inline constexpr const char* kTimingNoFile =
    "Sorry,the file name can't empty,please click button 'Browse File...' to select file to be send";
inline constexpr const char* kTimingNoTime = "Sorry,the send time can't empty,please re-enter";
inline constexpr const char* kTimingDeleteNone = "Please select an item to be delete at first.";
inline constexpr const char* kTimingModifyNone = "Please select an item to be modified at first.";
inline constexpr const char* kTimingEmptyList = "You must add the file which is to be send";
inline constexpr const char* kTimingMustSave = "The file has been changed,you must Save it at first";
inline constexpr const char* kTimingMustSaveCaption = "Please confirm";
inline constexpr const char* kTimingWindowText = "Timing Send(F12 to exit)";
inline constexpr const char* kTimingLogName = "TimingSendErrorLog.ini";
inline constexpr const char* kTimingLogSuccess = "%sSending file '%s'Successfully!\r\n";
inline constexpr const char* kTimingLogErrors = "When sending file '%s' occur some errors as follow:\r\n";

} // namespace CommTexts
