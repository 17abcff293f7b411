#pragma once
#include "classes/TAlignment.h"
// Value types the forms and controls share: modal results, cursors, layout,
// shift state, message-box kinds, the event signatures, and the type
// information under which form files name them.
#include "classes/TMethod.h"
#include "classes/TValue.h"
#include "classes/TypeInfo.h"

#include <cstdint>

class TObject;

// The result a modal form closes with; a form stays open while it is mrNone.
using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrAll = 8;
inline constexpr TModalResult mrNoToAll = 9;
inline constexpr TModalResult mrYesToAll = 10;

using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crSQLWait = -17;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum class TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
enum class TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum class TBevelStyle { bsLowered, bsRaised };
// TAlignment comes from classes/TAlignment.h, shared with fields.
enum class TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum class TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

// The modal result a message-box button gives, and the button for a result
// (mbHelp gives none; a result no button gives maps to mbHelp).
TModalResult ButtonResult(TMsgDlgBtn button);
TMsgDlgBtn ResultButton(TModalResult result);
// "OK", "Cancel", "Yes", "No", "Abort", "Retry", "Ignore", "All", "No to All",
// "Yes to All", "Help".
const char* ButtonName(TMsgDlgBtn button);
// "Warning", "Error", "Information", "Confirmation", "Custom".
const char* DlgTypeName(TMsgDlgType type);
// The result's name as a person reads it on the button ("Yes", "OK"), or the
// number for a result without a button.
std::string ModalResultName(TModalResult result);

using TKeyPressEvent = TEvent<TObject*, char&>;
using TCloseQueryEvent = TEvent<TObject*, bool&>;
using TCloseEvent = TEvent<TObject*, TCloseAction&>;
using TCanResizeEvent = TEvent<TObject*, int&, bool&>;
using TTabChangingEvent = TEvent<TObject*, bool&>;

// Character codes of the keys the dialogs react to.
namespace KeyChar {
inline constexpr char CtrlA = 1;
inline constexpr char Backspace = 8;
inline constexpr char Tab = 9;
inline constexpr char LineFeed = 10;  // Ctrl+Enter
inline constexpr char Enter = 13;
inline constexpr char Escape = 27;
} // namespace KeyChar

const TTypeInfo& TypeInfoCaption();      // TCaption, a string type
const TTypeInfo& TypeInfoHelpContext();  // THelpContext
const TTypeInfo& TypeInfoModalResult();  // TModalResult
const TTypeInfo& TypeInfoCursor();       // TCursor
const TTypeInfo& TypeInfoTabOrder();     // TTabOrder
const TTypeInfo& TypeInfoAlign();
const TTypeInfo& TypeInfoAnchors();
const TTypeInfo& TypeInfoFormBorderStyle();
const TTypeInfo& TypeInfoPosition();
const TTypeInfo& TypeInfoScrollStyle();
const TTypeInfo& TypeInfoComboBoxStyle();
const TTypeInfo& TypeInfoBevelCut();
const TTypeInfo& TypeInfoBevelShape();
const TTypeInfo& TypeInfoBevelStyle();
const TTypeInfo& TypeInfoResizeStyle();
const TTypeInfo& TypeInfoKeyPressEvent();
const TTypeInfo& TypeInfoCloseQueryEvent();
const TTypeInfo& TypeInfoCloseEvent();
const TTypeInfo& TypeInfoCanResizeEvent();
const TTypeInfo& TypeInfoTabChangingEvent();

struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
};

// What a message box shows, and, once answered, the button pressed.
struct TMessageBoxInfo {
  std::string Text;
  std::string Caption;
  TMsgDlgType Icon = TMsgDlgType::mtCustom;  // mtCustom: no icon
  TMsgDlgButtons Buttons{TMsgDlgBtn::mbOK};
  int HelpContext = 0;
  TModalResult Answer = mrNone;

  bool Offers(TModalResult result) const;
  // "Yes, No, Cancel"
  std::string ButtonList() const;
};
