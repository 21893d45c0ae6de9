/*
 * Quorvin add-on SDK: basic types, handles and constants.
 *
 * Compiles as C99 and as C++. Every handle is an opaque pointer that only the
 * host can interpret; an add-on never dereferences one.
 */
#ifndef QORTYPES_H_
#define QORTYPES_H_

#include <stddef.h>
#include <stdint.h>

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

/* A truth value as the host passes it: 0 is false, anything else true. */
typedef char Boolean_t;

/* Integers of the GUI API: dialog, control and menu identifiers and values. */
typedef int32_t GUIInt_t;
typedef int32_t LgIndex_t;
typedef int32_t ColorIndex_t;
typedef int32_t SetIndex_t;
typedef uint64_t UniqueID_t;
/* Client data passed through callbacks unchanged. */
typedef intptr_t ArbParam_t;

/* The host's identifier of a dialog or control that does not exist (yet). */
#define BADDIALOGID ((GUIInt_t)-2)
/* Returned by QorUtilSetGetNextMember when no further member exists; also the
   value to start an iteration with. */
#define QORSET_NOT_MEMBER ((SetIndex_t)-1)

/* Opaque handles. */
typedef struct QorAddOn_s *AddOn_pa;
typedef struct QorText_s *Text_ID;
typedef struct QorGeom_s *Geom_ID;
typedef struct QorSet_s *Set_pa;
typedef struct QorStringList_s *StringList_pa;
typedef struct QorArgList_s *ArgList_pa;

/* Coordinate systems of positions and lengths. */
typedef int32_t CoordSys_e;
#define CoordSys_Grid ((CoordSys_e)0)
#define CoordSys_Frame ((CoordSys_e)1) /* percent of the frame, x right, y up */
#define CoordSys_FrameOffset ((CoordSys_e)2)
#define CoordSys_Paper ((CoordSys_e)3)  /* inches from the paper's top-left, y down */
#define CoordSys_Screen ((CoordSys_e)4) /* pixels from the paper's top-left, y down */

/* Units of a text's height. */
typedef int32_t Units_e;
#define Units_Grid ((Units_e)0)
#define Units_Frame ((Units_e)1)
#define Units_Point ((Units_e)2)

/* Box drawn around a text. */
typedef int32_t TextBox_e;
#define TextBox_None ((TextBox_e)0)
#define TextBox_Filled ((TextBox_e)1)
#define TextBox_Hollow ((TextBox_e)2)

/* Kinds of geometry. */
typedef int32_t GeomType_e;
#define GeomType_LineSegs ((GeomType_e)0)
#define GeomType_Rectangle ((GeomType_e)1)
#define GeomType_Square ((GeomType_e)2)
#define GeomType_Circle ((GeomType_e)3)
#define GeomType_Ellipse ((GeomType_e)4)
#define GeomType_Image ((GeomType_e)6)

/* Kinds of picked objects. */
typedef int32_t PickObjects_e;
#define PickObject_None ((PickObjects_e)0)
#define PickObject_Frame ((PickObjects_e)1)
#define PickObject_Geom ((PickObjects_e)4)
#define PickObject_Text ((PickObjects_e)5)

/* Message box kinds. Question kinds return true when the user agrees. */
typedef int32_t MessageBoxType_e;
#define MessageBox_Error ((MessageBoxType_e)0)
#define MessageBox_Warning ((MessageBoxType_e)1)
#define MessageBox_Information ((MessageBoxType_e)2)
#define MessageBox_WarningOkCancel ((MessageBoxType_e)3)
#define MessageBox_YesNo ((MessageBoxType_e)4)
#define MessageBox_YesNoCancel ((MessageBoxType_e)5)
#define MessageBox_Question ((MessageBoxType_e)6)

/* State changes the host reports to add-ons. */
typedef int32_t StateChange_e;
#define StateChange_LayoutOpened ((StateChange_e)6)
#define StateChange_FrameMovedByUser ((StateChange_e)7)
#define StateChange_QuitQuorvin ((StateChange_e)15)
#define StateChange_FramesCreated ((StateChange_e)26)
#define StateChange_FramesDeleted ((StateChange_e)27)
#define StateChange_PickListChanged ((StateChange_e)28)
#define StateChange_FrameMovedByCommand ((StateChange_e)31)
#define StateChange_Text ((StateChange_e)35)

/* Delivery mode of state changes: 1 delivers each change at once. */
typedef int32_t StateChangeMode_e;
#define StateChangeMode_v75 ((StateChangeMode_e)0)
#define StateChangeMode_v80 ((StateChangeMode_e)1)

/* Mouse modes. */
typedef int32_t MouseButtonMode_e;
#define MouseButtonMode_Select ((MouseButtonMode_e)1)

/* File chooser options. */
typedef int32_t SelectFileOption_e;
#define SelectFileOption_ReadSingleFile ((SelectFileOption_e)0)
#define SelectFileOption_WriteFile ((SelectFileOption_e)3)

/* Draw order of geometries. */
typedef int32_t DrawOrder_e;
#define DrawOrder_AfterData ((DrawOrder_e)0)
#define DrawOrder_BeforeData ((DrawOrder_e)1)

/* Result of style changes. */
typedef int32_t SetValueReturnCode_e;
#define SetValue_Ok ((SetValueReturnCode_e)0)
#define SetValue_Invalid ((SetValueReturnCode_e)1)

/* Host colour indices used by the builder. */
#define Black_C ((ColorIndex_t)0)
#define Red_C ((ColorIndex_t)1)
#define Green_C ((ColorIndex_t)2)
#define Blue_C ((ColorIndex_t)3)
#define Cyan_C ((ColorIndex_t)4)
#define Yellow_C ((ColorIndex_t)5)
#define Purple_C ((ColorIndex_t)6)
#define White_C ((ColorIndex_t)7)

/* Callbacks. The three GUI callback kinds are the signatures generated code
   passes: plain, integer value and text value. */
typedef void (*QorGUIVoidCallback_pf)(void);
typedef void (*QorGUIIntCallback_pf)(const GUIInt_t *Value);
typedef GUIInt_t (*QorGUITextCallback_pf)(const char *Value);

typedef void (*DynamicMenuCallback_pf)(void);
typedef void (*StateChangeAddOnCallback_pf)(StateChange_e StateChange, ArbParam_t CallData);
typedef void (*OnIdleCallback_pf)(ArbParam_t ClientData);

#endif /* QORTYPES_H_ */
