/*
 * Quorvin add-on SDK: the QorUtil functions (workspace, strings, sets,
 * messages, locks, registration).
 *
 * Strings the host hands out (names, texts, commands, file names) are freed by
 * the caller with QorUtilStringDealloc. Frame functions act on the current
 * frame (the top of the frame stack); text and geometry lists belong to it.
 */
#ifndef QORUTIL_H_
#define QORUTIL_H_

#include "QORTYPES.h"

#if defined(_WIN32)
#define QOR_EXPORT __declspec(dllimport)
#else
#define QOR_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Registration, version, locks, menus ---- */
QOR_EXPORT AddOn_pa QorUtilAddOnRegister(int32_t QuorvinBaseVersion, const char *AddOnName,
                                         const char *AddOnVersion, const char *Author);
QOR_EXPORT int32_t QorUtilGetQuorvinVersion(void);
QOR_EXPORT void QorUtilLockOn(void);
QOR_EXPORT void QorUtilLockOff(void);
QOR_EXPORT void QorUtilLockStart(AddOn_pa AddOn);
QOR_EXPORT void QorUtilLockFinish(AddOn_pa AddOn);
QOR_EXPORT Boolean_t QorUtilMenuAddOption(const char *MenuPath, const char *MenuLabel,
                                          char Mnemonic, DynamicMenuCallback_pf Callback);

/* ---- State changes and idle ---- */
QOR_EXPORT Boolean_t QorUtilStateChangeAddCallback(StateChangeAddOnCallback_pf Callback);
QOR_EXPORT Boolean_t QorUtilStateChangeSetMode(StateChangeAddOnCallback_pf Callback,
                                               StateChangeMode_e Mode);
QOR_EXPORT void QorUtilStateChanged(StateChange_e StateChange, ArbParam_t CallData);
QOR_EXPORT void QorUtilOnIdleQueueAddCallback(OnIdleCallback_pf Callback, ArbParam_t ClientData);

/* ---- Frames ---- */
/* A new frame becomes current. Without UseSuppliedFrameSize the host's default
   position and size are used. Sizes in paper inches. */
QOR_EXPORT Boolean_t QorUtilFrameCreateNew(Boolean_t UseSuppliedFrameSize, double X, double Y,
                                           double Width, double Height);
QOR_EXPORT Boolean_t QorUtilFrameGetName(char **Name);
QOR_EXPORT Boolean_t QorUtilFrameSetName(const char *Name);
/* Keys "LinkGroup" (integer) and "LinkFrameSizeAndPosition" (0 or 1). */
QOR_EXPORT Boolean_t QorUtilFrameGetLinking(const char *Key, LgIndex_t *Value);
QOR_EXPORT Boolean_t QorUtilFrameSetLinking(const char *Key, LgIndex_t Value);
QOR_EXPORT void QorUtilFrameGetPosAndSize(double *X, double *Y, double *Width, double *Height);
QOR_EXPORT Boolean_t QorUtilFrameSetPosAndSize(double X, double Y, double Width, double Height);
QOR_EXPORT LgIndex_t QorUtilFrameGetCount(void);
/* Brings frame FrameNum (1 is the bottom of the stack) to the top. */
QOR_EXPORT Boolean_t QorUtilFramePop(LgIndex_t FrameNum);
QOR_EXPORT Boolean_t QorUtilFramePopByUniqueID(UniqueID_t UniqueID);
QOR_EXPORT UniqueID_t QorUtilFrameGetUniqueID(void);
/* Visits every frame once without drawing: Start makes the first frame of the
   walk current, Next the following one (false after the last), End makes the
   frame that was current before Start current again. */
QOR_EXPORT Boolean_t QorUtilFrameLightweightPopStart(void);
QOR_EXPORT Boolean_t QorUtilFrameLightweightPopNext(void);
QOR_EXPORT void QorUtilFrameLightweightPopEnd(void);

/* ---- Drawing ---- */
QOR_EXPORT Boolean_t QorUtilDrawGraphics(Boolean_t DoDrawing);
QOR_EXPORT void QorUtilRedraw(Boolean_t DoFullDrawing);
QOR_EXPORT void QorUtilRedrawAll(Boolean_t DoFullDrawing);

/* ---- Texts of the current frame ---- */
QOR_EXPORT Text_ID QorUtilTextGetBase(void);
QOR_EXPORT Text_ID QorUtilTextGetNext(Text_ID Text);
QOR_EXPORT Text_ID QorUtilTextCreate(CoordSys_e PositionCoordSys, double X, double Y,
                                     Units_e HeightUnits, double Height, const char *Text);
QOR_EXPORT Boolean_t QorUtilTextDelete(Text_ID Text);
QOR_EXPORT Boolean_t QorUtilTextIsValid(Text_ID Text);
QOR_EXPORT Boolean_t QorUtilTextGetString(Text_ID Text, char **TextString);
QOR_EXPORT Boolean_t QorUtilTextSetString(Text_ID Text, const char *TextString);
QOR_EXPORT Boolean_t QorUtilTextGetMacroFunctionCmd(Text_ID Text, char **Command);
QOR_EXPORT Boolean_t QorUtilTextSetMacroFunctionCmd(Text_ID Text, const char *Command);
QOR_EXPORT void QorUtilTextGetXYPos(Text_ID Text, double *X, double *Y);
QOR_EXPORT void QorUtilTextSetXYPos(Text_ID Text, double X, double Y);
QOR_EXPORT CoordSys_e QorUtilTextGetPositionCoordSys(Text_ID Text);
QOR_EXPORT Units_e QorUtilTextGetSizeUnits(Text_ID Text);
QOR_EXPORT double QorUtilTextGetHeight(Text_ID Text);
QOR_EXPORT void QorUtilTextSetHeight(Text_ID Text, double Height);
QOR_EXPORT double QorUtilTextGetAngle(Text_ID Text);
QOR_EXPORT void QorUtilTextSetAngle(Text_ID Text, double Angle);
QOR_EXPORT int32_t QorUtilTextGetAnchor(Text_ID Text);
QOR_EXPORT void QorUtilTextSetAnchor(Text_ID Text, int32_t Anchor);
QOR_EXPORT ColorIndex_t QorUtilTextGetColor(Text_ID Text);
QOR_EXPORT void QorUtilTextSetColor(Text_ID Text, ColorIndex_t Color);
QOR_EXPORT int32_t QorUtilTextGetFont(Text_ID Text);
QOR_EXPORT void QorUtilTextSetFont(Text_ID Text, int32_t Font);
QOR_EXPORT double QorUtilTextGetLineSpacing(Text_ID Text);
QOR_EXPORT void QorUtilTextSetLineSpacing(Text_ID Text, double LineSpacing);
QOR_EXPORT int32_t QorUtilTextGetScope(Text_ID Text);
QOR_EXPORT void QorUtilTextSetScope(Text_ID Text, int32_t Scope);
QOR_EXPORT TextBox_e QorUtilTextBoxGetType(Text_ID Text);
QOR_EXPORT void QorUtilTextBoxSetType(Text_ID Text, TextBox_e BoxType);
QOR_EXPORT double QorUtilTextBoxGetMargin(Text_ID Text);
QOR_EXPORT void QorUtilTextBoxSetMargin(Text_ID Text, double Margin);
QOR_EXPORT ColorIndex_t QorUtilTextBoxGetColor(Text_ID Text);
QOR_EXPORT void QorUtilTextBoxSetColor(Text_ID Text, ColorIndex_t Color);
QOR_EXPORT ColorIndex_t QorUtilTextBoxGetFillColor(Text_ID Text);
QOR_EXPORT void QorUtilTextBoxSetFillColor(Text_ID Text, ColorIndex_t FillColor);
QOR_EXPORT double QorUtilTextBoxGetLineThickness(Text_ID Text);
QOR_EXPORT void QorUtilTextBoxSetLineThickness(Text_ID Text, double LineThickness);
/* The four corners of the text's box in screen units: 1 lower-left,
   2 lower-right, 3 upper-right, 4 upper-left. */
QOR_EXPORT void QorUtilTextBoxGetPosition(Text_ID Text, double *X1, double *Y1, double *X2,
                                          double *Y2, double *X3, double *Y3, double *X4,
                                          double *Y4);

/* ---- Geometries of the current frame ---- */
QOR_EXPORT Geom_ID QorUtilGeomGetBase(void);
QOR_EXPORT Geom_ID QorUtilGeomGetNext(Geom_ID Geom);
QOR_EXPORT Boolean_t QorUtilGeomIsValid(Geom_ID Geom);
QOR_EXPORT Boolean_t QorUtilGeomDelete(Geom_ID Geom);
QOR_EXPORT GeomType_e QorUtilGeomGetType(Geom_ID Geom);
QOR_EXPORT Boolean_t QorUtilGeomGetMacroFunctionCmd(Geom_ID Geom, char **Command);
QOR_EXPORT Boolean_t QorUtilGeomSetMacroFunctionCmd(Geom_ID Geom, const char *Command);
QOR_EXPORT void QorUtilGeomGetXYZAnchorPos(Geom_ID Geom, double *X, double *Y, double *Z);
QOR_EXPORT void QorUtilGeomSetXYZAnchorPos(Geom_ID Geom, double X, double Y, double Z);
QOR_EXPORT CoordSys_e QorUtilGeomGetPositionCoordSys(Geom_ID Geom);
QOR_EXPORT void QorUtilGeomSetDrawOrder(Geom_ID Geom, DrawOrder_e DrawOrder);
/* Rectangles: the anchor is the upper-left corner on the page; width and
   height are lengths in the anchor's coordinate system. */
QOR_EXPORT Geom_ID QorUtilGeomRectangleCreate(CoordSys_e PositionCoordSys, double X, double Y,
                                              double Width, double Height);
QOR_EXPORT void QorUtilGeomRectangleGetSize(Geom_ID Geom, double *Width, double *Height);
QOR_EXPORT void QorUtilGeomRectangleSetSize(Geom_ID Geom, double Width, double Height);
/* Line geometries: polylines of points relative to the anchor (PolyNum and
   PointIndex count from 1). */
QOR_EXPORT LgIndex_t QorUtilGeomPolyGetPolylineCnt(Geom_ID Geom);
QOR_EXPORT LgIndex_t QorUtilGeomPolyGetPointCount(Geom_ID Geom, LgIndex_t PolyNum);
QOR_EXPORT void QorUtilGeom2DMPolyGetPoint(Geom_ID Geom, LgIndex_t PolyNum, LgIndex_t PointIndex,
                                           double *X, double *Y);
/* Images: the anchor is the lower-left corner on the page; the size is given
   in the anchor's coordinate system. Creation (in frame coordinates, Size the
   width) returns 0 when the file cannot be read. */
QOR_EXPORT Geom_ID QorUtilGeomImageCreate(const char *FileName, double X, double Y, double Size);
QOR_EXPORT Boolean_t QorUtilGeomImageGetFileName(Geom_ID Geom, char **FileName);
QOR_EXPORT void QorUtilGeomImageGetSize(Geom_ID Geom, double *Width, double *Height);
QOR_EXPORT void QorUtilGeomImageSetWidth(Geom_ID Geom, double Width);
QOR_EXPORT void QorUtilGeomImageResetAspectRatio(Geom_ID Geom);
/* Pixel size of the image and, when RGBData is not NULL, a copy of its
   pixels (3 bytes a pixel, rows from the top), freed with
   QorUtilImageRGBDataDealloc. */
QOR_EXPORT Boolean_t QorUtilGeomImageGetImage(Geom_ID Geom, GUIInt_t *Width, GUIInt_t *Height,
                                              unsigned char **RGBData);
QOR_EXPORT void QorUtilImageRGBDataDealloc(unsigned char **RGBData);

/* ---- Picking ---- */
QOR_EXPORT LgIndex_t QorUtilPickListGetCount(void);
/* PickListIndex counts from 1. */
QOR_EXPORT PickObjects_e QorUtilPickListGetType(LgIndex_t PickListIndex);
QOR_EXPORT Text_ID QorUtilPickListGetText(LgIndex_t PickListIndex);
QOR_EXPORT Geom_ID QorUtilPickListGetGeom(LgIndex_t PickListIndex);
QOR_EXPORT Boolean_t QorUtilPickSetMouseMode(MouseButtonMode_e MouseMode);

/* ---- Coordinate conversions (positions and lengths) ---- */
QOR_EXPORT double QorUtilConvertXPosition(CoordSys_e OldCoordSys, CoordSys_e NewCoordSys,
                                          double OldX);
QOR_EXPORT double QorUtilConvertYPosition(CoordSys_e OldCoordSys, CoordSys_e NewCoordSys,
                                          double OldY);
QOR_EXPORT double QorUtilConvertXDimension(CoordSys_e OldCoordSys, CoordSys_e NewCoordSys,
                                           double OldDimension);
QOR_EXPORT double QorUtilConvertYDimension(CoordSys_e OldCoordSys, CoordSys_e NewCoordSys,
                                           double OldDimension);

/* ---- Sets (members iterate in ascending order) ---- */
QOR_EXPORT Set_pa QorUtilSetAlloc(Boolean_t ShowErr);
QOR_EXPORT void QorUtilSetDealloc(Set_pa *Set);
QOR_EXPORT Boolean_t QorUtilSetClear(Set_pa Set);
QOR_EXPORT Boolean_t QorUtilSetAddMember(Set_pa Set, SetIndex_t Member, Boolean_t ShowErr);
QOR_EXPORT Boolean_t QorUtilSetIsMember(Set_pa Set, SetIndex_t Member);
QOR_EXPORT SetIndex_t QorUtilSetGetMemberCount(Set_pa Set);
/* The smallest member above Member (QORSET_NOT_MEMBER starts and ends). */
QOR_EXPORT SetIndex_t QorUtilSetGetNextMember(Set_pa Set, SetIndex_t Member);

/* ---- String lists (indices count from 1) ---- */
QOR_EXPORT StringList_pa QorUtilStringListAlloc(void);
QOR_EXPORT void QorUtilStringListDealloc(StringList_pa *StringList);
QOR_EXPORT void QorUtilStringListClear(StringList_pa StringList);
QOR_EXPORT Boolean_t QorUtilStringListAppendString(StringList_pa StringList, const char *String);
QOR_EXPORT LgIndex_t QorUtilStringListGetCount(StringList_pa StringList);
/* A new host string: free it with QorUtilStringDealloc. */
QOR_EXPORT char *QorUtilStringListGetString(StringList_pa StringList, LgIndex_t StringNumber);

/* ---- Host strings ---- */
/* Room for MaxLength characters and the terminating NUL; DebugInfo tags the
   allocation. */
QOR_EXPORT char *QorUtilStringAlloc(LgIndex_t MaxLength, const char *DebugInfo);
QOR_EXPORT void QorUtilStringDealloc(char **String);

/* ---- Argument lists, styles and macro commands ---- */
QOR_EXPORT ArgList_pa QorUtilArgListAlloc(void);
QOR_EXPORT void QorUtilArgListDealloc(ArgList_pa *ArgList);
QOR_EXPORT void QorUtilArgListClear(ArgList_pa ArgList);
QOR_EXPORT Boolean_t QorUtilArgListAppendString(ArgList_pa ArgList, const char *Name,
                                                const char *Value);
QOR_EXPORT Boolean_t QorUtilArgListAppendInt(ArgList_pa ArgList, const char *Name, LgIndex_t Value);
QOR_EXPORT SetValueReturnCode_e QorUtilStyleSetLowLevelX(ArgList_pa ArgList);
/* Macro commands act on the current frame. */
QOR_EXPORT Boolean_t QorUtilMacroExecuteCommand(const char *Command);

/* ---- Layout files and help ---- */
/* NULL when the layout was never saved. */
QOR_EXPORT char *QorUtilGetCurLayoutFName(void);
/* The directory of FileName, ending in a separator. */
QOR_EXPORT char *QorUtilGetBasePath(const char *FileName);
QOR_EXPORT Boolean_t QorUtilSaveLayout(const char *FileName, Boolean_t UseRelativePaths);
QOR_EXPORT Boolean_t QorUtilDialogGetFileName(SelectFileOption_e DialogOption, char **FileName,
                                              const char *FileTypeName, const char *DefaultFileName,
                                              const char *DefaultFilter);
QOR_EXPORT void QorUtilHelp(const char *HelpFileOrURL, Boolean_t GoToID, int32_t HelpID);

/* ---- Messages ---- */
QOR_EXPORT void QorUtilDialogErrMsg(const char *Message);
/* Question kinds return true when the user agrees; other kinds return true. */
QOR_EXPORT Boolean_t QorUtilDialogMessageBox(const char *Message, MessageBoxType_e MessageBoxType);
QOR_EXPORT void QorUtilPleaseWait(const char *WaitMessage, Boolean_t DoStart);

/* ---- Interface and colours ---- */
QOR_EXPORT void QorUtilInterfaceGetDotsPerInch(double *HorzDotsPerInch, double *VertDotsPerInch);
QOR_EXPORT int32_t QorUtilInterfaceGetBaseFontSize(void);
QOR_EXPORT void QorUtilColorMapGetBasicColorRGB(ColorIndex_t BasicColor, uint8_t *Red,
                                                uint8_t *Green, uint8_t *Blue);
/* Opens the colour chooser; true when a colour was chosen. */
QOR_EXPORT Boolean_t QorUtilDialogGetColor(Boolean_t AllowMultiColor, ColorIndex_t *Color);

#ifdef __cplusplus
}
#endif

#endif /* QORUTIL_H_ */
