#pragma once
// The host's ordered list of strings, each with an object slot. Names travel
// in these lists, and the slots carry small markers (an object value of 1).
#include "classes/TPersistent.h"

#include <string>
#include <string_view>
#include <vector>

class TStrings : public TPersistent {
  QUELM_CLASS(TStrings, TPersistent)

public:
  TStrings() = default;

  virtual int Count() const = 0;
  virtual std::string Get(int index) const = 0;
  virtual void Put(int index, const std::string& s);
  virtual TObject* GetObject(int index) const;
  virtual void PutObject(int index, TObject* object);
  virtual void Insert(int index, const std::string& s) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  std::string operator[](int index) const { return Get(index); }
  std::string Strings(int index) const { return Get(index); }
  TObject* Objects(int index) const { return GetObject(index); }

  virtual int Add(const std::string& s);
  virtual int AddObject(const std::string& s, TObject* object);
  void InsertObject(int index, const std::string& s, TObject* object);
  void AddStrings(const TStrings& strings);
  virtual void Move(int from, int to);
  virtual void Exchange(int a, int b);
  // Ignoring case by default, as the host's lists do.
  virtual int IndexOf(std::string_view s) const;
  int IndexOfObject(const TObject* object) const;
  int IndexOfName(std::string_view name) const;
  std::string Values(std::string_view name) const;

  // Each line followed by a line feed; setting splits at CR, LF or CR LF.
  virtual std::string Text() const;
  virtual void SetText(std::string_view text);
  std::string CommaText() const;
  std::string DelimitedText(char delimiter) const;
  std::vector<std::string> ToVector() const;

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  void Assign(const TPersistent* source) override;
  bool Equals(const TStrings& other) const;

protected:
  // Called when the update count moves between 0 and 1.
  virtual void SetUpdateState(bool updating) {}
  virtual int CompareStrings(std::string_view a, std::string_view b) const;

private:
  int FUpdateCount = 0;
};

// BeginUpdate now, EndUpdate when the scope ends, whatever ends it.
class TUpdateGuard {
public:
  explicit TUpdateGuard(TStrings& strings) : FStrings(strings) { FStrings.BeginUpdate(); }
  ~TUpdateGuard() { FStrings.EndUpdate(); }
  TUpdateGuard(const TUpdateGuard&) = delete;
  TUpdateGuard& operator=(const TUpdateGuard&) = delete;

private:
  TStrings& FStrings;
};

// The object value 1 that the package attaches to list entries as a marker.
inline TObject* MarkerObject(intptr_t value = 1) { return reinterpret_cast<TObject*>(value); }
