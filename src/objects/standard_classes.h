#pragma once
// The report object classes registered at start-up, so that documents naming them
// can be read.

namespace quarlo {

class ClassInfo;

// Registers the 34 start-up classes in their fixed order: TfrxChild, TfrxColumnFooter,
// TfrxColumnHeader, TfrxCustomMemoView, TfrxMasterData, ... TfrxDataPage. The report
// object's class is defined above this library; pass it to have it registered in its
// place (after TfrxPictureView), or null to leave it out. Registering again is harmless.
void RegisterStandardClasses(const ClassInfo* reportClass);

}  // namespace quarlo
