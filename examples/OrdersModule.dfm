object OrdersModule: TOrdersModule
  OldCreateOrder = False
  Height = 240
  Width = 360
  object OrdersDB: TQuelmDatabase
    DatabaseName = 'orders'
    Left = 32
    Top = 16
  end
  object CustomerQuery: TQuelmQuery
    Database = OrdersDB
    UpdateObject = CustomerUpdate
    SQL.Strings = (
      'select id, name, city, email'
      'from customer'
      'order by name')
    Left = 32
    Top = 72
  end
  object CustomerUpdate: TQuelmUpdateSQL
    DataSet = CustomerQuery
    Left = 120
    Top = 72
  end
  object CustomerSource: TDataSource
    DataSet = CustomerQuery
    Left = 208
    Top = 72
  end
end
