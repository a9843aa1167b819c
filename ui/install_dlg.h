// The install dialog: the installer's last screen, holding the state of the
// one installation. The installation services are its member operations.
#pragma once

#include "platform/framework.h"

class CInstallDlg : public CDialog {
 public:
  explicit CInstallDlg(CWnd* parent = nullptr);
  ~CInstallDlg() override;

  void SetStatus(const char* text);
  void ShowError(bool abort, CString message);

  // ---- installation services (services/) ----
  bool PrepareDirectory(CString path);
  bool InstallPayloadFile(unsigned resourceId, const char* fileName);
  bool CreateShortcut(CString baseName, CString extension, const char* linkName, bool onDesktop);
  bool UpdateRegistry();
  void DeleteRegistryKey(const char* parentPath, const char* subKeyName);
  os::LONG DeleteRegistryTree(os::HKEY key, const char* subKeyName);
  bool FindPreviousInstallation(bool removeFound);

  // ---- rollback (ui/) ----
  void DeleteInstalledFile(const char* fileName);
  void RemoveFolder(CString path);
  // Remembers a target folder that the install sequence prepared, so that a
  // rollback undoes there and nowhere else.
  void RecordPreparedFolder(const CString& folder);

  int m_bCancelRequested = 0;
  CString m_strProductName;
  CString m_strTargetDir;
  CString m_strStatus;
  os::HICON m_hIcon;

 protected:
  os::BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;

  void OnPaint();
  os::HCURSOR OnQueryDragIcon();
  void OnChangeTargetDir();
  void OnBrowse();
  void OnInstall();
  void OnCancelInstall();

  void UndoFilesAndFolders();
  void DeleteEmptyVendorProductKey();

  static const int kMaxPreparedDirs = 8;
  CString m_strPreparedDirs[kMaxPreparedDirs];
  int m_nPreparedDirs = 0;

  DECLARE_MESSAGE_MAP()
};
