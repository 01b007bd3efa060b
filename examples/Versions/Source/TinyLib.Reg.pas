unit TinyLib.Reg;

interface

procedure Register;

implementation

procedure Register;
begin
  // components of the library are registered here
end;

end.
